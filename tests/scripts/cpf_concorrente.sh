#!/usr/bin/env bash
# Four processes add the same persons, with the same CPFs and two animals each, through the
# component on one database at the same time. Each CPF is stored once, with its two animals;
# every other call is refused: 2 when the lookup of validation finds the CPF, 1 with the
# duplicate-key error when another process wrote it after that lookup (and then none of its
# animals is kept). $1: the zelt command. ZELT_CPFS sets the number of CPFs (60 by default).
source "$(dirname "$0")/comum.bash"
quantos=${ZELT_CPFS:-60}
command -v python3 >/dev/null || { echo "python3 not available: skipped"; exit 0; }
"$zelt" sql "SELECT Count(*) AS N FROM Empresa" >/dev/null || { echo "FAIL: database"; exit 1; }

python3 - "$dir" "$quantos" <<'PY'
import json, sys, os
d, n = sys.argv[1], int(sys.argv[2])
def cpf(i):
    base = [int(c) for c in f"{100000000 + 7919 * i:09d}"]
    for size in (9, 10):
        s = sum(v * (size + 1 - k) for k, v in enumerate(base)) % 11
        base.append(0 if s < 2 else 11 - s)
    return "".join(map(str, base))
cpfs = [cpf(i) for i in range(n)]
json.dump(cpfs, open(os.path.join(d, "cpfs.json"), "w"))
passos = [{"user": "u", "values": {"NomeDeUsuario": "u", "Administrador": False, "CodigoDoDocumentoComEmissaoPermitida": "00"}},
          {"grid": "g", "rows": [["", "", "Nome", "", "", "", "", "", "", "", "", "", "", "", "", "", ""],
                                 ["", "", "Rex", "1", "", "1", "", "M", "", "", "", "", "", "", "", "", "1"],
                                 ["", "", "Mia", "1", "", "1", "", "F", "", "", "", "", "", "", "", "", "1"]]}]
for c in cpfs:
    passos += [{"create": "ZELT_N_ClientAnim.clsClientes", "as": "c"}, {"putref": "c.DadosDoUsuario", "object": "u"},
               {"put": "c.TipoDeCliente", "value": "PF"}, {"put": "c.ApelidoOuNomeFantasia", "value": c},
               {"put": "c.NomeOuRazaoSocial", "value": "Cliente " + c}, {"put": "c.Sexo", "value": "M"},
               {"put": "c.CPFCNPJ", "value": c}, {"put": "c.Situacao", "value": 1},
               {"putref": "c.GradeDeAnimais", "object": "g"},
               {"put": "c.AdicionarClienteEAnimalNaMesmaOperacao", "value": True}, {"call": "c.Adicionar", "args": []},
               {"get": "c.NumeroDoErro"}, {"get": "c.DescricaoDoErro"}, {"get": "c.DescricaoDaFalha"}]
with open(os.path.join(d, "roteiro.txt"), "w") as f:
    for p in passos: f.write(json.dumps(p) + "\n")
PY

for p in 1 2 3 4; do
    "$zelt" run - <"$dir/roteiro.txt" >"$dir/saida$p.txt" &
done
wait

"$zelt" sql "SELECT CPFCNPJ, Count(*) AS N FROM Clientes GROUP BY CPFCNPJ" >"$dir/clientes.json"
"$zelt" sql "SELECT Count(*) AS N FROM Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo" >"$dir/juntos.json"
"$zelt" sql "SELECT Count(*) AS N FROM Animais" >"$dir/animais.json"
python3 - "$dir" <<'PY'
import json, sys, os
d = sys.argv[1]
cpfs = json.load(open(os.path.join(d, "cpfs.json")))
linhas = lambda nome: [json.loads(l) for l in open(os.path.join(d, nome))]
falhas, contagem = 0, {0: 0, 1: 0, 2: 0}
for p in range(1, 5):
    saida = linhas(f"saida{p}.txt")
    chamadas = [(l["result"], *(saida[k + i].get("value") for i in (1, 2, 3))) for k, l in enumerate(saida) if "result" in l]
    if len(chamadas) != len(cpfs):
        print(f"FAIL process {p}: {len(chamadas)} calls, expected {len(cpfs)}"); falhas += 1
    for c, (r, numero, erro, falha) in zip(cpfs, chamadas):
        contagem[r] = contagem.get(r, 0) + 1
        if r == 1 and (numero != -2147467259 or "duplicados" not in erro):
            print(f"FAIL process {p} CPF {c}: result 1, {numero}: {erro}"); falhas += 1
        elif r == 2 and not falha.startswith("Não é possível salvar o CPF"):
            print(f"FAIL process {p} CPF {c}: result 2, {falha}"); falhas += 1
        elif r not in (0, 1, 2):
            print(f"FAIL process {p} CPF {c}: result {r}"); falhas += 1
guardados = {row[0]: row[1] for row in json.load(open(os.path.join(d, "clientes.json")))["rows"]}
for c in cpfs:
    if guardados.get(c) != 1:
        print(f"FAIL CPF {c} stored {guardados.get(c, 0)} times"); falhas += 1
animais = json.load(open(os.path.join(d, "animais.json")))["rows"][0][0]
juntos = json.load(open(os.path.join(d, "juntos.json")))["rows"][0][0]
if contagem[0] != len(cpfs) or animais != 2 * len(cpfs) or juntos != animais:
    print(f"FAIL: {contagem[0]} clients added, {animais} animals ({juntos} with their client), expected {len(cpfs)} and {2 * len(cpfs)}"); falhas += 1
print("same CPFs at once:", "ok" if falhas == 0 else f"{falhas} failures",
      f"({len(cpfs)} CPFs; refused {contagem[2]} by the lookup, {contagem[1]} by the unique index)")
sys.exit(1 if falhas else 0)
PY
