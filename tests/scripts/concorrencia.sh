#!/usr/bin/env bash
# Four processes add clients with two animals each through the component, on one database file at
# the same time: every generated code is its own client's, nothing is lost or duplicated, and no
# call fails but with a clear busy state, retried, and the file passes its integrity check.
# $1: the zelt command. ZELT_CLIENTES_POR_PROCESSO sets the work (500, the full proof, by default).
set -u
zelt="$1"
porProcesso=${ZELT_CLIENTES_POR_PROCESSO:-500}
command -v python3 >/dev/null || { echo "python3 not available: skipped"; exit 0; }
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export ZELT_REGISTRY="$dir/registry.json" ZELT_DATABASE="$dir/zelt.db"
"$zelt" sql "SELECT Count(*) AS N FROM Empresa" >/dev/null || { echo "FAIL: database"; exit 1; }

roteiro() {  # roteiro PROCESSO
    local p=$1
    echo '{"user":"u","values":{"NomeDeUsuario":"p'"$p"'","Administrador":false,"CodigoDoDocumentoComEmissaoPermitida":"00"}}'
    echo '{"grid":"g","rows":[["","","Nome","","","","","","","","","","","","","",""],["","","Rex","1","","1","","M","","","","","","","","","1"],["","","Mia","1","","1","","F","","","","","","","","","1"]]}'
    for i in $(seq 1 "$porProcesso"); do
        echo '{"create":"ZELT_N_ClientAnim.clsClientes","as":"c"}'
        echo '{"putref":"c.DadosDoUsuario","object":"u"}'
        echo '{"put":"c.TipoDeCliente","value":"PJ"}'
        echo '{"put":"c.ApelidoOuNomeFantasia","value":"P'"$p"'-'"$i"'"}'
        echo '{"put":"c.NomeOuRazaoSocial","value":"Processo '"$p"' cliente '"$i"'"}'
        echo '{"put":"c.Situacao","value":1}'
        echo '{"putref":"c.GradeDeAnimais","object":"g"}'
        echo '{"put":"c.AdicionarClienteEAnimalNaMesmaOperacao","value":true}'
        echo '{"call":"c.Adicionar","args":[]}'
        echo '{"get":"c.CodigoGerado"}'
        echo '{"get":"c.DescricaoDoErro"}'
    done
}

for p in 1 2 3 4; do
    roteiro $p | "$zelt" run - >"$dir/saida$p.txt" &
done
wait

"$zelt" verificar >"$dir/integridade.json" || { echo "FAIL: integrity check: $(cat "$dir/integridade.json")"; exit 1; }
"$zelt" sql "SELECT Clientes.Codigo AS Codigo, Clientes.ApelidoOuNomeFantasia AS Apelido FROM Clientes" >"$dir/clientes.json"
"$zelt" sql "SELECT Animais.CodigoDoCliente AS Dono, Count(*) AS N FROM Animais GROUP BY Animais.CodigoDoCliente" >"$dir/animais.json"
python3 - "$dir" "$porProcesso" <<'PY'
import json, sys, os
d, n = sys.argv[1], int(sys.argv[2])
clientes = {row[0]: row[1] for row in json.load(open(os.path.join(d, "clientes.json")))["rows"]}
animais = {row[0]: row[1] for row in json.load(open(os.path.join(d, "animais.json")))["rows"]}
falhas = 0
for p in range(1, 5):
    linhas = [json.loads(l) for l in open(os.path.join(d, f"saida{p}.txt"))]
    i = 0
    resultados = [l for l in linhas if "result" in l]
    codigos = [l["value"] for k, l in enumerate(linhas) if "value" in l and k > 0 and "result" in linhas[k - 1]]
    erros = [linhas[k + 2].get("value") for k, l in enumerate(linhas) if "result" in l and k + 2 < len(linhas)]
    if len(resultados) != n:
        print(f"FAIL process {p}: {len(resultados)} calls, expected {n}"); falhas += 1
    for i, (r, codigo) in enumerate(zip(resultados, codigos), start=1):
        if r["result"] != 0:
            print(f"FAIL process {p} client {i}: result {r['result']}: {erros[i - 1]}"); falhas += 1; continue
        if clientes.get(int(codigo)) != f"P{p}-{i}":
            print(f"FAIL process {p} client {i}: code {codigo} belongs to {clientes.get(int(codigo))}"); falhas += 1
        if animais.get(int(codigo)) != 2:
            print(f"FAIL process {p} client {i}: {animais.get(int(codigo))} animals"); falhas += 1
nomes = [v for v in clientes.values() if v.startswith("P")]
if len(nomes) != 4 * n or len(set(nomes)) != 4 * n:
    print(f"FAIL: {len(nomes)} clients stored ({len(set(nomes))} distinct), expected {4 * n}"); falhas += 1
print("concurrency:", "ok" if falhas == 0 else f"{falhas} failures", f"({4 * n} clients, {8 * n} animals)")
sys.exit(1 if falhas else 0)
PY
