#!/usr/bin/env bash
# zelt sql: JSON out for a selection, a change and an error (with exit status 1); zelt
# importar-municipios; and zelt verificar, which creates nothing where there is no file.
# $1: the zelt command.
source "$(dirname "$0")/comum.bash"
[ -n "$servidor" ] || { db="$dir/sub/zelt.db"; ZELT_DATABASE="$db"; }  # a file in a folder not there yet

expect() {  # expect NAME STATUS PATTERN -- ARGS...
    local name="$1" status="$2" pattern="$3"; shift 4
    local out code
    out="$("$zelt" "$@" 2>&1)"; code=$?
    if [ "$code" != "$status" ] || ! grep -qF -- "$pattern" <<<"$out"; then
        echo "FAIL $name: status $code, output: $out"; failures=$((failures + 1))
    fi
}

expect count 0 '"rows":[[5570]]' -- sql --db "$db" "SELECT Count(*) AS N FROM MunicipiosIBGE"
expect fields 0 '"name":"Nome"' -- sql --db "$db" "SELECT TOP 1 Nome FROM EspeciesDeAnimais ORDER BY Codigo"
expect insert 0 '{"rowsAffected":1}' -- sql --db "$db" "INSERT INTO OSParaBD (Numero) VALUES (304)"
expect appended 1 '"number":-2147217900' -- sql --db "$db" "DELETE * FROM OSParaBD; DROP TABLE OSParaBD"
expect survived 0 '"rows":[[1]]' -- sql --db "$db" "SELECT Count(*) AS N FROM OSParaBD"
expect noOwner 0 '{"rowsAffected":1}' -- sql --db "$db" "INSERT INTO Animais (CodigoDoCliente, Nome) VALUES (999, 'Rex')"
expect examined 0 '{"rowsAffected":1}' -- sql --db "$db" "INSERT INTO Exames (CodigoDoAnimal) VALUES (1)"
expect fkRefusal 1 '"helpContext":5003000,"number":-2147467259' -- sql --db "$db" "DELETE * FROM Animais WHERE Codigo = 1"
expect client 0 '{"rowsAffected":1}' -- sql --db "$db" "INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial, VIP, LimiteDeCredito, DataEHoraDaInclusao) VALUES ('PF', 'Ana', True, 1500.5, '05/12/2026 19:16:50')"
expect kinds 0 '"rows":[[1,"Ana",true,1500.5,null,"05/12/2026 19:16:50"]]' -- sql --db "$db" "SELECT Codigo, NomeOuRazaoSocial, VIP, LimiteDeCredito, DataDaUltimaCompra, DataEHoraDaInclusao FROM Clientes"
expect notADate 1 '"number":-2147217913' -- sql --db "$db" "UPDATE Clientes SET DataEHoraDaInclusao='31/02/2024' WHERE Codigo=1"
expect shape 0 '"rows":[[1,"Ana",{"fields":[{"attributes":' -- sql --db "$db" "SHAPE {SELECT Codigo, NomeOuRazaoSocial FROM Clientes} AS Clientes APPEND ({SELECT CodigoDoCliente, Nome FROM Animais} RELATE Codigo TO CodigoDoCliente) AS Animais"
deep="$(printf '(%.0s' {1..30000})1$(printf ')%.0s' {1..30000})"
expect nestedTooDeeply 1 'aninhada em níveis demais' -- sql --db "$db" "SELECT $deep AS N FROM Empresa"
if [ -z "$servidor" ]; then  # what only a file has
    expect unopenable 1 'Não foi possível abrir o banco de dados' -- sql --db "$dir/sub/zelt.db/x.db" "SELECT Count(*) FROM Empresa"
    expect verified 0 '{"integrity":["ok"]}' -- verificar --db "$db"
    expect missing 1 "'$dir/nada/zelt.db': o arquivo não existe" -- verificar --db "$dir/nada/zelt.db"
    expect missingFile 1 'o arquivo não existe' -- verificar --db "$dir/sub/nada.db"
    if [ -e "$dir/nada" ] || [ -e "$dir/sub/nada.db" ]; then echo "FAIL: verificar created a file or folder"; failures=$((failures + 1)); fi
    out="$(env -u HOME -u XDG_DATA_HOME -u ZELT_DATABASE "$zelt" verificar 2>&1)"  # no shared place instead
    if [ $? = 0 ] || ! grep -qF 'defina ZELT_DATABASE' <<<"$out"; then echo "FAIL noHome: $out"; failures=$((failures + 1)); fi
fi

printf 'CodigoIBGE;Nome;UF\n9999999;Teste;ZZ\n' >"$dir/m.csv"
expect import 0 '1 municípios importados' -- importar-municipios --db "$db" "$dir/m.csv"
expect imported 0 '"rows":[[5571]]' -- sql --db "$db" "SELECT Count(*) AS N FROM MunicipiosIBGE"

[ "$failures" = 0 ] && echo "zelt sql: all passed"
exit "$failures"
