#!/usr/bin/env bash
# The server stopped at once (pg_ctl stop -m immediate) and started again in the middle of a load,
# on a throwaway cluster of its own. One `zelt run` process, with its pool of connections, makes a
# call before, during and after the outage: during it the call answers 1 or 3 with a clear text,
# after it the call succeeds. Four others add clients with two animals each all along: every
# client stored has both. Runs where PostgreSQL is installed (ZELT_TEST_POSTGRES set), else
# skips. $1: the zelt command.
source "$(dirname "$0")/comum.bash"
if [ -z "${ZELT_TEST_POSTGRES:-}" ]; then
    echo "SKIP: ZELT_TEST_POSTGRES não está definida: este roteiro precisa de um servidor PostgreSQL 15"; exit 0
fi
servidorDeTeste="$(dirname "$0")/../../scripts/postgres-test-server"
cluster="$dir/cluster"
trap '"$servidorDeTeste" stop "$cluster" 2>/dev/null; rm -rf "$dir"' EXIT
chmod 755 "$dir"  # the cluster's owner reaches its folder
db="$("$servidorDeTeste" start "$cluster" 2>/dev/null)" || { echo "FAIL: could not start a cluster"; exit 1; }
export ZELT_DATABASE="$db"
porta="$(sed -E 's/.*port=([0-9]+).*/\1/' <<<"$db")"
pg_ctl() {  # as the cluster's owner
    local comando="/usr/lib/postgresql/15/bin/pg_ctl -D '$cluster/data' -w -l '$cluster/server.log' $*"
    if [ "$(id -u)" -eq 0 ]; then su postgres -s /bin/bash -c "$comando"; else bash -c "$comando"; fi >/dev/null
}

inicio='{"user":"u","values":{"NomeDeUsuario":"r","Administrador":false,"CodigoDoDocumentoComEmissaoPermitida":"00"}}
{"grid":"g","rows":[[],["","","Rex","1","","1","","M","","","","","","","","","1"],["","","Mia","1","","1","","F","","","","","","","","","1"]]}'
adicionar() {  # adicionar NAME: one client with the grid, its result and texts
    echo '{"create":"ZELT_N_ClientAnim.clsClientes","as":"c"}
{"putref":"c.DadosDoUsuario","object":"u"}
{"put":"c.TipoDeCliente","value":"PJ"}
{"put":"c.ApelidoOuNomeFantasia","value":"Carga"}
{"put":"c.NomeOuRazaoSocial","value":"'"$1"'"}
{"put":"c.Situacao","value":1}
{"putref":"c.GradeDeAnimais","object":"g"}
{"put":"c.AdicionarClienteEAnimalNaMesmaOperacao","value":true}
{"call":"c.Adicionar","args":[]}
{"get":"c.DescricaoDoErro"}
{"get":"c.DescricaoDaFalha"}'
}
"$zelt" sql "SELECT Count(*) AS N FROM Empresa" >/dev/null || { echo "FAIL: database"; exit 1; }

# The load: four processes adding clients until the outage is over.
for p in 1 2 3 4; do
    { echo "$inicio"; i=0; while [ ! -e "$dir/fim" ]; do i=$((i + 1)); adicionar "Carga $p-$i"; done; } |
        "$zelt" run - >"$dir/carga$p.txt" 2>&1 &
done

# The witness: one call at a time, each answered before the next step.
coproc testemunha { "$zelt" run - 2>&1; }
chamar() {  # chamar NAME: prints "RESULT|DescricaoDoErro|DescricaoDaFalha"
    adicionar "$1" >&"${testemunha[1]}"
    local linha resultado textos=()
    while read -r linha <&"${testemunha[0]}"; do
        case "$linha" in *'"result":'*) resultado="$(sed -E 's/.*"result":(-?[0-9]+).*/\1/' <<<"$linha")" ;; esac
        case "$linha" in '{"value":'*) textos+=("$(sed -E 's/^\{"value":"?(.*[^"])?"?\}$/\1/' <<<"$linha")") ;; esac
        [ "${#textos[@]}" = 2 ] && break
    done
    echo "${resultado:-?}|${textos[0]:-}|${textos[1]:-}"
}
echo "$inicio" >&"${testemunha[1]}"
read -r _ <&"${testemunha[0]}"; read -r _ <&"${testemunha[0]}"

antes="$(chamar "Antes")"
[ "${antes%%|*}" = 0 ] || fail "before the outage: $antes"
pg_ctl stop -m immediate
durante="$(chamar "Durante")"
case "$durante" in
    [13]'|'*[a-zA-Z]*) ;;
    *) fail "during the outage, expected 1 or 3 with a text: $durante" ;;
esac
pg_ctl start -o "\"-p $porta -k '$cluster' -c listen_addresses=''\""
depois="$(chamar "Depois")"
[ "${depois%%|*}" = 0 ] || fail "after the outage: $depois"
touch "$dir/fim"
eval "exec ${testemunha[1]}>&-"
wait

# Nothing half-written: every client stored has its two animals; the witness's calls as answered.
"$zelt" sql "SELECT Clientes.NomeOuRazaoSocial AS Nome, Count(Animais.Codigo) AS N FROM Clientes LEFT JOIN Animais ON Animais.CodigoDoCliente = Clientes.Codigo GROUP BY Clientes.NomeOuRazaoSocial" >"$dir/guardados.json"
python3 - "$dir" <<'PY' || fail "stored rows (above)"
import json, sys, os
linhas = json.load(open(os.path.join(sys.argv[1], "guardados.json")))["rows"]
guardados = {nome.upper(): n for nome, n in linhas}
ruins = [f"{nome}: {n} animals" for nome, n in guardados.items() if n != 2]
for nome, esperado in (("ANTES", True), ("DURANTE", False), ("DEPOIS", True)):
    if (nome in guardados) != esperado: ruins.append(f"{nome} {'missing' if esperado else 'stored'}")
print("\n".join(ruins) or f"{len(guardados)} clients, each with both animals")
sys.exit(1 if ruins else 0)
PY
falhasNaCarga=$(grep -c '"result":[13]' "$dir"/carga*.txt | awk -F: '{s += $2} END {print s}')
[ "$failures" = 0 ] && echo "server restart: during it '${durante}', after it 0; the load had $falhasNaCarga calls answered 1 or 3"
exit "$failures"
