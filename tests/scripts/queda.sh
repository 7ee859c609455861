#!/usr/bin/env bash
# A process killed (SIGKILL) at random moments while clsClientes.Adicionar writes a client with
# five animals: afterwards every client has all five animals or does not exist, and the database
# passes its integrity check. $1: the zelt command. ZELT_QUEDAS sets the number of kills (200, the
# full proof, by default).
source "$(dirname "$0")/comum.bash"
quedas=${ZELT_QUEDAS:-200}
"$zelt" sql "SELECT Count(*) AS N FROM Empresa" >/dev/null || { echo "FAIL: database"; exit 1; }
linha='["","","Rex","1","","1","","M","","","","","","","","","1"]'
{
    echo '{"user":"u","values":{"NomeDeUsuario":"q","Administrador":false,"CodigoDoDocumentoComEmissaoPermitida":"00"}}'
    echo '{"grid":"g","rows":[[],'"$linha,$linha,$linha,$linha,$linha"']}'
    for i in $(seq 1 200); do
        echo '{"create":"ZELT_N_ClientAnim.clsClientes","as":"c"}'
        echo '{"putref":"c.DadosDoUsuario","object":"u"}'
        echo '{"put":"c.TipoDeCliente","value":"PJ"}'
        echo '{"put":"c.ApelidoOuNomeFantasia","value":"Queda"}'
        echo '{"put":"c.NomeOuRazaoSocial","value":"Queda '"$i"'"}'
        echo '{"put":"c.Situacao","value":1}'
        echo '{"putref":"c.GradeDeAnimais","object":"g"}'
        echo '{"put":"c.AdicionarClienteEAnimalNaMesmaOperacao","value":true}'
        echo '{"call":"c.Adicionar","args":[]}'
    done
} >"$dir/roteiro.jsonl"
for k in $(seq 1 "$quedas"); do
    "$zelt" run - <"$dir/roteiro.jsonl" >/dev/null &
    pid=$!
    sleep "0.0$((RANDOM % 9 + 1))$((RANDOM % 10))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
done
clientes=$("$zelt" sql "SELECT Count(*) AS N FROM Clientes WHERE ApelidoOuNomeFantasia = 'Queda'")
animais=$("$zelt" sql "SELECT Count(*) AS N FROM Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo WHERE Clientes.ApelidoOuNomeFantasia = 'Queda'")
incompletos=$("$zelt" sql "SELECT Clientes.Codigo AS C, Count(*) AS N FROM Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo WHERE Clientes.ApelidoOuNomeFantasia = 'Queda' GROUP BY Clientes.Codigo")
c=$(grep -o '"rows":\[\[[0-9]*' <<<"$clientes" | grep -o '[0-9]*$')
a=$(grep -o '"rows":\[\[[0-9]*' <<<"$animais" | grep -o '[0-9]*$')
"$zelt" verificar >"$dir/integridade.json" || { echo "FAIL: integrity check: $(cat "$dir/integridade.json")"; failures=1; }
[ -n "$c" ] && [ -n "$a" ] || { echo "FAIL: counts unreadable: $clientes $animais"; exit 1; }
[ "$a" = $((c * 5)) ] || { echo "FAIL: $c clients but $a animals"; failures=1; }
if grep -qE '\[[0-9]+,[0-46-9]\]' <<<"$incompletos"; then echo "FAIL: a client with other than five animals: $incompletos"; failures=1; fi
echo "crash safety: $quedas kills, $c clients stored whole, $a animals"
exit $failures
