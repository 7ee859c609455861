#!/usr/bin/env bash
# The typical request through `zelt run`, driving the classes only by dispatch: a client with a
# valid CPF and a grid of two animals, Adicionar, the combined listing, a page of the client list;
# with every step form and value kind, and the steps that fail. Every line printed is compared
# whole (the server's date-times read DATA_HORA). $1: the zelt command.
source "$(dirname "$0")/comum.bash"

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
 {"grid":"g","rows":[["","","Nome","Espécie","","Raça","","Sexo","Porte","Cor","Nascimento","RGA","Microchip","Pedigree","Morto","Observação","Situação"],
                     ["","","Rex","1","","2","","M","Grande","Caramelo","15/03/2020","","9001","Sim","Não","",1],
                     ["","","Mia","2","","35","","F","","",null,"","","Não","Não","","1"]]},
 {"putref":"c.GradeDeAnimais","object":"g"},
 {"put":"c.AdicionarClienteEAnimalNaMesmaOperacao","value":true},
 {"call":"c.Adicionar","args":[]},
 {"get":"c.CodigoGerado"},
 {"get":"c.DataHoraDaAtualizacao"},
 {"get":"c.NaoExiste"},
 {"call":"c.RetornarInformacoesDoLimiteDeCredito","args":[1,{"currency":"0"},{"currency":"0"},{"currency":"0"}]},
 {"call":"c.RetornarInformacoesDoLimiteDeCredito","args":[1,{"currency":"0"},{"currency":"0"},null]},
 {"create":"ZELT_N_ClientAnim.clsClientAnim","as":"l"},
 {"putref":"l.DadosDoUsuario","object":"u"},
 {"call":"l.Selecionar","args":[2,0,0,"Maria",""]},
 {"rows":"l.ResultadoDaSelecaoEmRecordset"},
 {"call":"l.Selecionar","args":[1,20,5,"","mia"]},
 {"rows":"l.ResultadoDaSelecaoEmRecordset"},
 {"call":"l.Selecionar","args":[2,0,1,"",""]},
 {"call":"l.Selecionar","args":[2,0,3,"",""]},
 {"get":"l.DescricaoDaFalha"},
 {"call":"l.Selecionar","args":[2,0,9,"",""]},
 {"get":"l.DescricaoDoErro"},
 {"get":"l.LocalDoErro"},
 {"call":"l.Selecionar","args":[2,0,0]},
 {"call":"l.Selecionar","args":[2,0,0,"","",""]},
 {"call":"c.Selecionar","args":[1,10,0,"","",0,"",{"date":"01/01/2000"},{"date":"31/12/2099"},2]},
 {"page":"c","size":10,"absolutePage":1}
]
JSON

# Line by line, in step order.
cat >"$dir/esperado.txt" <<'EXPECTED'
{"created":"c"}
{"user":"u"}
{"ok":true}
{"ok":true}
{"ok":true}
{"ok":true}
{"ok":true}
{"ok":true}
{"ok":true}
{"ok":true}
{"ok":true}
{"grid":"g","rows":3}
{"ok":true}
{"ok":true}
{"byref":[],"result":0}
{"value":1.0}
{"value":"DATA_HORA"}
{"error":{"description":"O objeto não dá suporte para esta propriedade ou método: 'NaoExiste'","helpContext":0,"number":438}}
{"byref":[1.0,12.5,0.0,12.5],"result":0}
{"error":{"description":"Uso inválido de Null","helpContext":0,"number":94}}
{"created":"l"}
{"ok":true}
{"byref":[2.0,0.0,0.0,"Maria",""],"result":0}
{"fields":[{"attributes":96,"definedSize":4,"name":"CodigoDoCliente","type":3},{"attributes":96,"definedSize":255,"name":"ApelidoOuNomeFantasiaDoCliente","type":202},{"attributes":96,"definedSize":255,"name":"NomeOuRazaoSocialDoCliente","type":202},{"attributes":96,"definedSize":255,"name":"NomeDaSituacaoDoCliente","type":202},{"attributes":8192,"definedSize":4,"name":"Animais","type":136}],"rows":[[1,"Mari","Maria d’Ávila","Ativa",{"fields":[{"attributes":96,"definedSize":4,"name":"CodigoDoAnimal","type":3},{"attributes":96,"definedSize":4,"name":"CodigoDoClienteDeAnimais","type":3},{"attributes":96,"definedSize":255,"name":"NomeDoAnimal","type":202},{"attributes":96,"definedSize":255,"name":"NomeDaEspecieDoAnimal","type":202},{"attributes":96,"definedSize":255,"name":"NomeDaRacaDoAnimal","type":202},{"attributes":96,"definedSize":255,"name":"NomeDaSituacaoDoAnimal","type":202},{"attributes":96,"definedSize":255,"name":"DataEHoraDaInclusao","type":202},{"attributes":96,"definedSize":255,"name":"UsuarioDaInclusao","type":202},{"attributes":96,"definedSize":255,"name":"DataEHoraDaAlteracao","type":202},{"attributes":96,"definedSize":255,"name":"UsuarioDaAlteracao","type":202}],"rows":[[2,1,"Mia","Felina","Siamês","Ativo","DATA_HORA","ana",null,""],[1,1,"Rex","Canina","Labrador Retriever","Ativo","DATA_HORA","ana",null,""]]}]]}
{"byref":[1.0,20.0,5.0,"","mia"],"result":0}
{"fields":[{"attributes":96,"definedSize":4,"name":"CodigoDoCliente","type":3},{"attributes":96,"definedSize":255,"name":"ApelidoOuNomeFantasiaDoCliente","type":202},{"attributes":96,"definedSize":255,"name":"NomeOuRazaoSocialDoCliente","type":202},{"attributes":96,"definedSize":255,"name":"NomeDaSituacaoDoCliente","type":202},{"attributes":8192,"definedSize":4,"name":"Animais","type":136}],"rows":[[1,"Mari","Maria d’Ávila","Ativa",{"fields":[{"attributes":96,"definedSize":4,"name":"CodigoDoAnimal","type":3},{"attributes":96,"definedSize":4,"name":"CodigoDoClienteDeAnimais","type":3},{"attributes":96,"definedSize":255,"name":"NomeDoAnimal","type":202},{"attributes":96,"definedSize":255,"name":"NomeDaEspecieDoAnimal","type":202},{"attributes":96,"definedSize":255,"name":"NomeDaRacaDoAnimal","type":202},{"attributes":96,"definedSize":255,"name":"NomeDaSituacaoDoAnimal","type":202},{"attributes":96,"definedSize":255,"name":"DataEHoraDaInclusao","type":202},{"attributes":96,"definedSize":255,"name":"UsuarioDaInclusao","type":202},{"attributes":96,"definedSize":255,"name":"DataEHoraDaAlteracao","type":202},{"attributes":96,"definedSize":255,"name":"UsuarioDaAlteracao","type":202}],"rows":[[2,1,"Mia","Felina","Siamês","Ativo","DATA_HORA","ana",null,""]]}]]}
{"byref":[2.0,0.0,1.0,"",""],"result":0}
{"byref":[2.0,0.0,3.0,"",""],"result":0}
{"value":"Nenhum cliente/animal encontrado com as especificações informadas."}
{"byref":[2.0,0.0,9.0,"",""],"result":1}
{"value":"O argumento lintSituacaoParaFiltro recebeu 9; os valores aceitos são 0 (todas as situações), 1 (ativos), 2 (inativos), 3 (bloqueados), 4 (excluídos) e 5 (recentes)."}
{"value":"ZELT_N_ClientAnim, clsClientAnim, Selecionar, Ponto: 3"}
{"error":{"description":"Argumento não opcional","helpContext":0,"number":449}}
{"error":{"description":"Número de argumentos incorreto ou atribuição de propriedade inválida","helpContext":0,"number":450}}
{"byref":[1.0,10.0,0.0,"","",0.0,"","01/01/2000","31/12/2099",2.0],"result":0}
{"fields":[{"attributes":96,"definedSize":4,"name":"CodigoDoCliente","type":3},{"attributes":96,"definedSize":255,"name":"ApelidoOuNomeFantasia","type":202},{"attributes":96,"definedSize":255,"name":"NomeOuRazaoSocial","type":202},{"attributes":96,"definedSize":255,"name":"CPFCNPJ","type":202},{"attributes":96,"definedSize":255,"name":"TipoDeCliente","type":202},{"attributes":96,"definedSize":255,"name":"Sexo","type":202},{"attributes":96,"definedSize":255,"name":"DataDeNascimento","type":202},{"attributes":96,"definedSize":255,"name":"AnoDeNascimento","type":202},{"attributes":96,"definedSize":255,"name":"RGIE","type":202},{"attributes":96,"definedSize":255,"name":"VIP","type":202},{"attributes":96,"definedSize":255,"name":"CategoriaDaCurvaABC","type":202},{"attributes":96,"definedSize":255,"name":"CEP","type":202},{"attributes":96,"definedSize":255,"name":"TipoDeLogradouro","type":202},{"attributes":96,"definedSize":255,"name":"Logradouro","type":202},{"attributes":96,"definedSize":255,"name":"Numero","type":202},{"attributes":96,"definedSize":255,"name":"Complemento","type":202},{"attributes":96,"definedSize":255,"name":"Bairro","type":202},{"attributes":96,"definedSize":255,"name":"Cidade","type":202},{"attributes":96,"definedSize":255,"name":"CodigoIBGEDoMunicipio","type":202},{"attributes":96,"definedSize":255,"name":"UF","type":202},{"attributes":96,"definedSize":255,"name":"EndCobCEP","type":202},{"attributes":96,"definedSize":255,"name":"EndCobTipoDeLogradouro","type":202},{"attributes":96,"definedSize":255,"name":"EndCobLogradouro","type":202},{"attributes":96,"definedSize":255,"name":"EndCobNumero","type":202},{"attributes":96,"definedSize":255,"name":"EndCobComplemento","type":202},{"attributes":96,"definedSize":255,"name":"EndCobBairro","type":202},{"attributes":96,"definedSize":255,"name":"EndCobCidade","type":202},{"attributes":96,"definedSize":255,"name":"EndCobUF","type":202},{"attributes":96,"definedSize":255,"name":"TipoDeCanalDeComunicacao1","type":202},{"attributes":96,"definedSize":255,"name":"CanalDeComunicacao1","type":202},{"attributes":96,"definedSize":255,"name":"TipoDeCanalDeComunicacao2","type":202},{"attributes":96,"definedSize":255,"name":"CanalDeComunicacao2","type":202},{"attributes":96,"definedSize":255,"name":"TipoDeCanalDeComunicacao3","type":202},{"attributes":96,"definedSize":255,"name":"CanalDeComunicacao3","type":202},{"attributes":96,"definedSize":255,"name":"TipoDeCanalDeComunicacao4","type":202},{"attributes":96,"definedSize":255,"name":"CanalDeComunicacao4","type":202},{"attributes":96,"definedSize":255,"name":"Profissao","type":202},{"attributes":96,"definedSize":255,"name":"Observacao","type":202},{"attributes":96,"definedSize":255,"name":"LimiteDeCredito","type":202},{"attributes":96,"definedSize":255,"name":"DataDaUltimaCompra","type":202},{"attributes":96,"definedSize":255,"name":"ValorDaUltimaCompra","type":202},{"attributes":96,"definedSize":255,"name":"Credito","type":202},{"attributes":96,"definedSize":255,"name":"MotivoDaSituacao","type":202},{"attributes":96,"definedSize":255,"name":"ClienteComDesconto","type":202},{"attributes":96,"definedSize":255,"name":"DescontoUnico","type":202},{"attributes":96,"definedSize":255,"name":"PercentualUnicoDeDescontos","type":202},{"attributes":96,"definedSize":255,"name":"PercentualDeDescontoEmClinicos","type":202},{"attributes":96,"definedSize":255,"name":"PercentualDeDescontoEmCirurgiaSimples","type":202},{"attributes":96,"definedSize":255,"name":"PercentualDeDescontoEmCirurgiaMedia","type":202},{"attributes":96,"definedSize":255,"name":"PercentualDeDescontoEmCirurgiaComplexa","type":202},{"attributes":96,"definedSize":255,"name":"PercentualDeDescontoEmBanhosTosasEEsteticas","type":202},{"attributes":96,"definedSize":255,"name":"PercentualDeDescontoEmHospedagens","type":202},{"attributes":96,"definedSize":255,"name":"PercentualDeDescontoEmAdestramentos","type":202},{"attributes":96,"definedSize":255,"name":"PercentualDeDescontoEmOutros","type":202},{"attributes":96,"definedSize":4,"name":"Situacao","type":3},{"attributes":96,"definedSize":255,"name":"NomeDaSituacao","type":202},{"attributes":96,"definedSize":255,"name":"DataEHoraDaInclusao","type":202},{"attributes":96,"definedSize":255,"name":"UsuarioDaInclusao","type":202},{"attributes":96,"definedSize":255,"name":"DataEHoraDaAlteracao","type":202},{"attributes":96,"definedSize":255,"name":"UsuarioDaAlteracao","type":202},{"attributes":96,"definedSize":255,"name":"EnderecoCompleto","type":202},{"attributes":96,"definedSize":255,"name":"EnderecoCompletoComCEP","type":202},{"attributes":96,"definedSize":255,"name":"EnderecoDeCobrancaCompleto","type":202},{"attributes":96,"definedSize":255,"name":"TiposECanaisDeComunicacao","type":202}],"result":0,"rows":[[1,"Mari","Maria d’Ávila","102.030.405-70","PF","F","","","","Não","","","","","","","","","3550308","","","","","","","","","","","","","","","","","","","","12,50","","0,00","0,00","","Não","Não","0,00","0,00","0,00","0,00","0,00","0,00","0,00","0,00","0,00",1,"Ativa","DATA_HORA","ana",null,"","","","",""]]}
EXPECTED

"$zelt" run --db "$db" "$dir/roteiro.json" >"$dir/saida.txt"
status=$?
semHora <"$dir/saida.txt" >"$dir/obtido.txt"
if ! diff -u "$dir/esperado.txt" "$dir/obtido.txt"; then fail "the lines printed differ from the expected ones (above)"; fi
# Four steps failed (an unknown member, a Null where an amount goes, too few and too many
# arguments): the status is 1.
[ "$status" = 1 ] || fail "exit status $status after failed steps, expected 1"

# JSON lines on standard input: every step runs, so the status is 0.
printf '{"create":"ZELT_N_ClientAnim.clsAnimais","as":"a"}\n\n{"get":"a.NumeroDoErro"}\n' |
    "$zelt" run --db "$db" - >"$dir/linhas.txt"
status=$?
printf '{"created":"a"}\n{"value":0}\n' | diff -u - "$dir/linhas.txt" || fail "JSON lines on standard input"
[ "$status" = 0 ] || fail "exit status $status after steps that all ran, expected 0"

# A line that is not JSON, and a step of no known form, print an error and the host goes on.
printf 'isto não é JSON\n{"sing":"a"}\n{"create":"ZELT_N_ClientAnim.clsAnimais","as":"a"}\n' |
    "$zelt" run --db "$db" - >"$dir/ruins.txt"
status=$?
[ "$(wc -l <"$dir/ruins.txt")" = 3 ] && grep -q '^{"error":{"description":"Linha que não é JSON: isto não é JSON","helpContext":0,"number":13}}$' "$dir/ruins.txt" &&
    sed -n 2p "$dir/ruins.txt" | grep -q '^{"error":{"description":"Passo desconhecido: {\\"sing\\":\\"a\\"}","helpContext":0,"number":5}}$' &&
    sed -n 3p "$dir/ruins.txt" | grep -qxF '{"created":"a"}' || { fail "bad lines"; cat "$dir/ruins.txt"; }
[ "$status" = 1 ] || fail "exit status $status after bad lines, expected 1"

# A script that is not a JSON array is refused whole.
echo '{"create":"x"}' >"$dir/objeto.json"
"$zelt" run --db "$db" "$dir/objeto.json" >"$dir/nada.txt" 2>/dev/null
status=$?
[ "$status" = 1 ] && [ ! -s "$dir/nada.txt" ] || fail "a script that is no array: status $status"

# Refusals with clear lines and status 1, never an abnormal end: a class registry that cannot be
# written (a folder in its place), a folder given as the script, a step nested 100,000 levels
# deep (on a line, and in a script before a step that still runs).
mkdir "$dir/pasta"
profundo="$(printf '%*s' 100000 '' | tr ' ' '[')$(printf '%*s' 100000 '' | tr ' ' ']')"
echo "$profundo" >"$dir/profundo.txt"
echo "[$profundo,{\"create\":\"ZELT_N_ClientAnim.clsAnimais\",\"as\":\"a\"}]" >"$dir/profundo.json"
naoRegistra="não foi possível registrar as bibliotecas no registro de classes '$dir/pasta' (0x80040201)."
profundoDemais='{"error":{"description":"Passo com mais de 64 níveis de aninhamento","helpContext":0,"number":5}}'
recusa() {  # recusa STDOUT STDERR STDIN -- COMMAND...: each stream whole, and status 1
    local saida="$1" erro="$2" entrada="$3"
    shift 4
    "$@" <"$entrada" >"$dir/recusa.out" 2>"$dir/recusa.err"
    local status=$?
    [ "$status" = 1 ] && [ "$(cat "$dir/recusa.out")" = "$saida" ] && [ "$(cat "$dir/recusa.err")" = "$erro" ] ||
        { fail "$*: status $status"; cut -c1-200 "$dir/recusa.out" "$dir/recusa.err"; }
}
recusa "" "zelt run: $naoRegistra" /dev/null -- env ZELT_REGISTRY="$dir/pasta" "$zelt" run --db "$db" -
recusa "" "zelt demo: $naoRegistra" /dev/null -- env ZELT_REGISTRY="$dir/pasta" "$zelt" demo --db "$db"
recusa "" "zelt run: $dir/pasta é uma pasta, não um roteiro" /dev/null -- "$zelt" run "$dir/pasta"
recusa "$profundoDemais" "" "$dir/profundo.txt" -- "$zelt" run --db "$db" -
recusa "$profundoDemais
{\"created\":\"a\"}" "" /dev/null -- "$zelt" run --db "$db" "$dir/profundo.json"

[ "$failures" = 0 ] && echo "zelt run: all lines as expected"
exit "$failures"
