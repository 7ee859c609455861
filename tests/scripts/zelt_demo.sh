#!/usr/bin/env bash
# zelt demo on a fresh database, twice: each run adds a client with a new valid CPF and its two
# animals, one more animal through the animal register (listed, and in one line), and prints the
# tree and the client page with every client so far. $1: the zelt command.
source "$(dirname "$0")/comum.bash"

clientes() { [ "$1" = 1 ] && echo "1 cliente" || echo "$1 clientes"; }
esperado() {  # esperado N: what run N prints, with the date-times and CPFs masked
    local primeiro=$(( ($1 - 1) * 3 + 1 ))
    echo "Cliente incluído (clsClientes.Adicionar): código $1, em DATA_HORA, com 2 animais."
    echo
    echo "Animal incluído (clsAnimais.Adicionar): Tom, código $((primeiro + 2))."
    echo "Animais do cliente (clsAnimais.Selecionar): 3"
    echo "  $((primeiro + 1))  Mia — Fêmea, Felina, Siamês — Ativo"
    echo "  $primeiro  Rex — Macho, Canina, Labrador Retriever — Ativo"
    echo "  $((primeiro + 2))  Tom — Macho, Canina, Labrador Retriever — Ativo"
    echo "Em uma linha (clsAnimais.SelecionarAnimaisEmUmUnicoRegistro): Mia, Rex e Tom"
    echo
    echo "Clientes e seus animais (clsClientAnim.Selecionar): $(clientes "$1")"
    for c in $(seq 1 "$1"); do
        printf '  %-4sMaria da Conceição (Mari)           Ativa\n' "$c"
        echo "        Mia       Felina, Siamês                Ativo"
        echo "        Rex       Canina, Labrador Retriever    Ativo"
        echo "        Tom       Canina, Labrador Retriever    Ativo"
    done
    echo
    echo "Lista de clientes (clsClientes.Selecionar, 5 por página): página 1 de 1, $(clientes "$1")"
    for c in $(seq 1 "$1"); do
        printf '  %-4sMaria da Conceição      CPF 000.000.000-00  Ativa\n' "$c"
        echo "      Avenida Paulista, 1000 - Bela Vista - CEP:01310-100 - São Paulo / SP"
        echo "      Email maria@exemplo.com.br Celular (11) 98765-4321"
    done
}

for run in 1 2; do
    "$zelt" demo --db "$db" >"$dir/demo$run.txt" || fail "run $run: exit status $?"
    semHora <"$dir/demo$run.txt" | sed -E 's#CPF [0-9.-]{14}#CPF 000.000.000-00#' >"$dir/obtido$run.txt"
    esperado "$run" | diff -u - "$dir/obtido$run.txt" || fail "run $run printed other lines (above)"
done
cpfs="$(grep -o 'CPF [0-9.-]*' "$dir/demo2.txt" | sort -u | wc -l)"
[ "$cpfs" = 2 ] || fail "the two clients should have two different valid CPFs, found $cpfs"

# On the server, the register goes to a file, to another database on the server and back to a
# file: zelt sql gives the same rows on all of them.
if [ -n "$servidor" ]; then
    novoBanco "${servidor}_copia" || exit 1
    "$zelt" copiar --de "$db" --para "$dir/origem.db" >/dev/null &&
        "$zelt" copiar --de "$dir/origem.db" --para "$banco" >/dev/null &&
        "$zelt" copiar --de "$banco" --para "$dir/volta.db" >/dev/null || fail "zelt copiar: status $?"
    for tabela in Clientes Animais; do
        for onde in "$db" "$dir/origem.db" "$banco" "$dir/volta.db"; do
            "$zelt" sql --db "$onde" "SELECT * FROM $tabela ORDER BY Codigo" >"$dir/linhas.json"
            [ -f "$dir/primeiras.json" ] || cp "$dir/linhas.json" "$dir/primeiras.json"
            cmp -s "$dir/primeiras.json" "$dir/linhas.json" || fail "$tabela in $onde: other rows than on the server"
        done
        rm "$dir/primeiras.json"
    done
fi

[ "$failures" = 0 ] && echo "zelt demo: both runs as expected"
exit "$failures"
