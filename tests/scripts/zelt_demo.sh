#!/usr/bin/env bash
# zelt demo on a fresh database, twice: each run adds a client with a new valid CPF and its two
# animals, and prints the tree and the client page with every client so far. $1: the zelt command.
set -u
zelt="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export ZELT_REGISTRY="$dir/registry.json"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for run in 1 2; do
    "$zelt" demo --db "$dir/zelt.db" >"$dir/demo$run.txt" || fail "run $run: exit status $?"
    sed -E 's#[0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}#DATA_HORA#g; s#CPF [0-9.-]{14}#CPF 000.000.000-00#' \
        "$dir/demo$run.txt" >"$dir/obtido$run.txt"
done
cpfs="$(grep -ho 'CPF [0-9.-]*' "$dir/demo2.txt" | sort -u | wc -l)"
[ "$cpfs" = 2 ] || fail "the two clients should have two different CPFs, found $cpfs"

diff -u - "$dir/obtido1.txt" <<'TXT' || fail "first run"
Cliente incluído (clsClientes.Adicionar): código 1, em DATA_HORA, com 2 animais.

Clientes e seus animais (clsClientAnim.Selecionar): 1 cliente
  1   Maria da Conceição (Mari)           Ativa
        Mia       Felina, Siamês                Ativo
        Rex       Canina, Labrador Retriever    Ativo

Lista de clientes (clsClientes.Selecionar, 5 por página): página 1 de 1, 1 cliente
  1   Maria da Conceição      CPF 000.000.000-00  Ativa
      Avenida Paulista, 1000 - Bela Vista - CEP:01310-100 - São Paulo / SP
      Email maria@exemplo.com.br Celular (11) 98765-4321
TXT
diff -u - "$dir/obtido2.txt" <<'TXT' || fail "second run"
Cliente incluído (clsClientes.Adicionar): código 2, em DATA_HORA, com 2 animais.

Clientes e seus animais (clsClientAnim.Selecionar): 2 clientes
  1   Maria da Conceição (Mari)           Ativa
        Mia       Felina, Siamês                Ativo
        Rex       Canina, Labrador Retriever    Ativo
  2   Maria da Conceição (Mari)           Ativa
        Mia       Felina, Siamês                Ativo
        Rex       Canina, Labrador Retriever    Ativo

Lista de clientes (clsClientes.Selecionar, 5 por página): página 1 de 1, 2 clientes
  1   Maria da Conceição      CPF 000.000.000-00  Ativa
      Avenida Paulista, 1000 - Bela Vista - CEP:01310-100 - São Paulo / SP
      Email maria@exemplo.com.br Celular (11) 98765-4321
  2   Maria da Conceição      CPF 000.000.000-00  Ativa
      Avenida Paulista, 1000 - Bela Vista - CEP:01310-100 - São Paulo / SP
      Email maria@exemplo.com.br Celular (11) 98765-4321
TXT

[ "$failures" = 0 ] && echo "zelt demo: both runs as expected"
exit "$failures"
