#!/usr/bin/env bash
# The typical request through `zelt run`, driving the classes only by dispatch: a client with a
# valid CPF and a grid of two animals, Adicionar, the combined listing, a page of the client list.
# Checks every line the host prints. $1: the zelt command.
set -u
zelt="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export ZELT_REGISTRY="$dir/registry.json"

cat >"$dir/roteiro.json" <<'JSON'
[
 {"create":"ZELT_N_ClientAnim.clsClientes","as":"c"},
 {"user":"u","values":{"NomeDeUsuario":"ana","Administrador":true,"CodigoDoDocumentoComEmissaoPermitida":"11"}},
 {"putref":"c.DadosDoUsuario","object":"u"},
 {"put":"c.TipoDeCliente","value":"PF"},
 {"put":"c.ApelidoOuNomeFantasia","value":"Mari"},
 {"put":"c.NomeOuRazaoSocial","value":"Maria d'Ávila"},
 {"put":"c.Sexo","value":"F"},
 {"put":"c.CPFCNPJ","value":"10203040570"},
 {"put":"c.CodigoIBGEDoMunicipio","value":"3550308"},
 {"put":"c.LimiteDeCredito","value":{"currency":"12.5"}},
 {"put":"c.Situacao","value":1},
 {"grid":"g","rows":[["","","Nome","Esp","","Raça","","Sexo","","","","","","","","",""],
                     ["","","Rex","1","","1","","M","Grande","Caramelo","15/03/2020","","","Sim","Não","","1"],
                     ["","","Mia","1","","1","","F","","","","","","","","","1"]]},
 {"putref":"c.GradeDeAnimais","object":"g"},
 {"put":"c.AdicionarClienteEAnimalNaMesmaOperacao","value":true},
 {"call":"c.Adicionar","args":[]},
 {"get":"c.CodigoGerado"},
 {"get":"c.NaoExiste"},
 {"create":"ZELT_N_ClientAnim.clsClientAnim","as":"l"},
 {"putref":"l.DadosDoUsuario","object":"u"},
 {"call":"l.Selecionar","args":[2,0,0,"Maria",""]},
 {"rows":"l.ResultadoDaSelecaoEmRecordset"},
 {"call":"c.Selecionar","args":[1,10,0,"Ávila"]},
 {"page":"c","size":10,"absolutePage":1}
]
JSON

mapfile -t out < <("$zelt" run --db "$dir/zelt.db" "$dir/roteiro.json")
status=$?
failures=0
expect() {  # expect LINE PATTERN
    local line="${out[$1]:-}"
    if ! grep -qF -- "$2" <<<"$line"; then
        echo "FAIL line $1: expected $2 in: $line"; failures=$((failures + 1))
    fi
}
[ "${#out[@]}" -eq 23 ] || { echo "FAIL: ${#out[@]} lines, expected 23"; printf '%s\n' "${out[@]}"; failures=$((failures + 1)); }
expect 0 '{"created":"c"}'
expect 1 '{"user":"u"}'
for i in 2 3 4 5 6 7 8 9 10 12 13; do expect $i '{"ok":true}'; done
expect 11 '{"grid":"g","rows":3}'
expect 14 '{"byref":[],"result":0}'
expect 15 '{"value":1'
expect 16 '"error":{"description":"O objeto não dá suporte para esta propriedade ou método'
expect 17 '{"created":"l"}'
expect 18 '{"ok":true}'
expect 19 '"result":0'
expect 20 '"name":"Animais","type":136'
expect 20 'Maria d’Ávila'
expect 20 '"Mia"'
expect 20 '"Rex"'
expect 21 '"result":0'
expect 22 '"CPFCNPJ"'
expect 22 '"102.030.405-70"'
expect 22 '"12,50"'
# One step failed (the unknown member), so the host's status is 1.
[ "$status" = 1 ] || [ "$failures" -gt 0 ] || true
"$zelt" run --db "$dir/zelt.db" "$dir/roteiro.json" >/dev/null; [ $? = 1 ] || { echo "FAIL: exit status should be 1 after a failed step"; failures=$((failures + 1)); }
printf '{"create":"ZELT_N_ClientAnim.clsAnimais","as":"a"}\n{"get":"a.NumeroDoErro"}\n' | "$zelt" run --db "$dir/zelt.db" - >"$dir/linhas.txt"
[ $? = 0 ] && grep -qF '{"value":0}' "$dir/linhas.txt" || { echo "FAIL: JSON lines on stdin"; cat "$dir/linhas.txt"; failures=$((failures + 1)); }
[ "$failures" = 0 ] && echo "zelt run: all lines as expected"
exit "$failures"
