#!/usr/bin/env bash
# Eight processes add clients with two animals each through the component, on one database at the
# same time, and every tenth call alter or exclude one of four clients they all share. Every
# generated code is its own client's, nothing is lost or duplicated, every call answers 0, each
# shared client holds the name and note of one single alteration (never half of two) and keeps its
# two animals, and the database passes its integrity check. $1: the zelt command.
# ZELT_PROCESSOS and ZELT_CLIENTES_POR_PROCESSO set the work (8 × 250, the full proof, by default).
source "$(dirname "$0")/comum.bash"
processos=${ZELT_PROCESSOS:-8}
porProcesso=${ZELT_CLIENTES_POR_PROCESSO:-250}
command -v python3 >/dev/null || { echo "python3 not available: skipped"; exit 0; }

# The scripts: the four shared clients first (codes 1 to 4), then one per process.
python3 - "$dir" "$processos" "$porProcesso" <<'PY'
import json, sys, os
d, processos, n = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
inicio = [{"user": "u", "values": {"NomeDeUsuario": "u", "Administrador": False, "CodigoDoDocumentoComEmissaoPermitida": "00"}},
          {"grid": "g", "rows": [["", "", "Nome"] + [""] * 14, ["", "", "Rex", "1", "", "1", "", "M"] + [""] * 8 + ["1"],
                                 ["", "", "Mia", "1", "", "1", "", "F"] + [""] * 8 + ["1"]]}]
def cliente(apelido, nome, observacao="", codigo=None):
    passos = [{"create": "ZELT_N_ClientAnim.clsClientes", "as": "c"}, {"putref": "c.DadosDoUsuario", "object": "u"},
              {"put": "c.TipoDeCliente", "value": "PJ"}, {"put": "c.ApelidoOuNomeFantasia", "value": apelido},
              {"put": "c.NomeOuRazaoSocial", "value": nome}, {"put": "c.Observacao", "value": observacao},
              {"put": "c.Situacao", "value": 1}]
    return passos + ([{"put": "c.Codigo", "value": codigo}] if codigo else [])
def chamada(operacao):
    return [{"call": "c." + operacao, "args": []}, {"get": "c.CodigoGerado"}, {"get": "c.DescricaoDoErro"}, {"get": "c.DescricaoDaFalha"}]
def adicionar(apelido, nome):
    return cliente(apelido, nome) + [{"putref": "c.GradeDeAnimais", "object": "g"},
                                     {"put": "c.AdicionarClienteEAnimalNaMesmaOperacao", "value": True}] + chamada("Adicionar")
def escreve(nome, passos):
    with open(os.path.join(d, nome), "w") as f:
        for p in passos: f.write(json.dumps(p) + "\n")
escreve("compartilhados.txt", inicio + sum((adicionar(f"C{k}", f"Compartilhado {k}") for k in range(1, 5)), []))
for p in range(1, processos + 1):
    passos = list(inicio)
    for i in range(1, n + 1):
        passos += adicionar(f"P{p}-{i}", f"Processo {p} cliente {i}")
        if i % 10 == 0:
            k = (p + i // 10) % 4 + 1
            marca = f"p{p} i{i}"
            passos += cliente(f"C{k}", f"Alterado por {marca}", marca, k) + chamada("Alterar")
            passos += cliente(f"C{k % 4 + 1}", "", "", k % 4 + 1) + chamada("Excluir")
    escreve(f"roteiro{p}.txt", passos)
PY
"$zelt" run - <"$dir/compartilhados.txt" >"$dir/compartilhados.out" || { echo "FAIL: the shared clients"; cat "$dir/compartilhados.out"; exit 1; }

for p in $(seq 1 "$processos"); do
    "$zelt" run - <"$dir/roteiro$p.txt" >"$dir/saida$p.txt" &
done
wait

"$zelt" verificar >"$dir/integridade.json" || { echo "FAIL: integrity check: $(cat "$dir/integridade.json")"; exit 1; }
"$zelt" sql "SELECT Codigo, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Observacao, TipoDeCliente FROM Clientes" >"$dir/clientes.json"
"$zelt" sql "SELECT Animais.CodigoDoCliente AS Dono, Count(*) AS N FROM Animais GROUP BY Animais.CodigoDoCliente" >"$dir/animais.json"
python3 - "$dir" "$processos" "$porProcesso" <<'PY'
import json, sys, os
d, processos, n = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
clientes = {row[0]: row[1:] for row in json.load(open(os.path.join(d, "clientes.json")))["rows"]}
animais = {row[0]: row[1] for row in json.load(open(os.path.join(d, "animais.json")))["rows"]}
falhas = 0
def falha(texto):
    global falhas
    print("FAIL", texto); falhas += 1
for p in range(1, processos + 1):
    roteiro = [json.loads(l) for l in open(os.path.join(d, f"roteiro{p}.txt"))]
    saida = [json.loads(l) for l in open(os.path.join(d, f"saida{p}.txt"))]
    operacoes = [s["call"] for s in roteiro if "call" in s]
    chamadas = [(l["result"], *(saida[k + j].get("value") for j in (1, 2, 3))) for k, l in enumerate(saida) if "result" in l]
    if len(chamadas) != len(operacoes):
        falha(f"process {p}: {len(chamadas)} calls, expected {len(operacoes)}"); continue
    i = 0
    for operacao, (r, codigo, erro, recusa) in zip(operacoes, chamadas):
        i += operacao == "c.Adicionar"
        if r != 0:
            falha(f"process {p} client {i} {operacao}: result {r}: {erro} {recusa}"); continue
        if operacao != "c.Adicionar":
            continue
        if clientes.get(int(codigo), [None])[0] != f"P{p}-{i}":
            falha(f"process {p} client {i}: code {codigo} belongs to {clientes.get(int(codigo))}")
        if animais.get(int(codigo)) != 2:
            falha(f"process {p} client {i}: {animais.get(int(codigo))} animals")
nomes = [v[0] for v in clientes.values() if v[0].startswith("P")]
if len(nomes) != processos * n or len(set(nomes)) != processos * n:
    falha(f"{len(nomes)} clients stored ({len(set(nomes))} distinct), expected {processos * n}")
for k in range(1, 5):
    apelido, nome, observacao, tipo = clientes.get(k, [None] * 4)
    if apelido != f"C{k}" or tipo != "PJ" or animais.get(k) != 2:
        falha(f"shared client {k}: {apelido} {tipo}, {animais.get(k)} animals")
    elif nome not in (f"Compartilhado {k}", f"Alterado por {observacao}"):
        falha(f"shared client {k} torn: name {nome!r}, note {observacao!r}")
print("concurrency:", "ok" if falhas == 0 else f"{falhas} failures",
      f"({processos} processes, {processos * n} clients, {2 * processos * n} animals, shared clients altered and excluded)")
sys.exit(1 if falhas else 0)
PY
