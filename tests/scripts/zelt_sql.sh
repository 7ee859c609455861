#!/usr/bin/env bash
# zelt sql: JSON out for a selection, a change and an error (with exit status 1); and
# zelt importar-municipios. $1: the zelt command.
set -u
zelt="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
db="$dir/sub/zelt.db"
failures=0

expect() {  # expect NAME STATUS PATTERN -- ARGS...
    local name="$1" status="$2" pattern="$3"; shift 4
    local out code
    out="$("$zelt" "$@")"; code=$?
    if [ "$code" != "$status" ] || ! grep -qF -- "$pattern" <<<"$out"; then
        echo "FAIL $name: status $code, output: $out"; failures=$((failures + 1))
    fi
}

expect count 0 '"rows":[[5570]]' -- sql --db "$db" "SELECT Count(*) AS N FROM MunicipiosIBGE"
expect fields 0 '"name":"Nome"' -- sql --db "$db" "SELECT TOP 1 Nome FROM EspeciesDeAnimais ORDER BY Codigo"
expect insert 0 '{"rowsAffected":1}' -- sql --db "$db" "INSERT INTO OSParaBD (Numero) VALUES (304)"
expect appended 1 '"number":-2147217900' -- sql --db "$db" "DELETE * FROM OSParaBD; DROP TABLE OSParaBD"
expect survived 0 '"rows":[[1]]' -- sql --db "$db" "SELECT Count(*) AS N FROM OSParaBD"
expect helpContext 1 '"helpContext":' -- sql --db "$db" "INSERT INTO Animais (CodigoDoCliente, Nome) VALUES (999, 'Rex')"
expect unopenable 1 'Não foi possível abrir o banco de dados' -- sql --db "$dir/sub/zelt.db/x.db" "SELECT Count(*) FROM Empresa"

printf 'CodigoIBGE;Nome;UF\n9999999;Teste;ZZ\n' >"$dir/m.csv"
expect import 0 '1 municípios importados' -- importar-municipios --db "$db" "$dir/m.csv"
expect imported 0 '"rows":[[5571]]' -- sql --db "$db" "SELECT Count(*) AS N FROM MunicipiosIBGE"

[ "$failures" = 0 ] && echo "zelt sql: all passed"
exit "$failures"
