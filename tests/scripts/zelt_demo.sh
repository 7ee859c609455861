#!/usr/bin/env bash
# zelt demo on a fresh database: the client with its grid, one more animal through the animal
# register, the client's animals listed and in one line, then the combined listing. $1: the zelt command.
set -u
zelt="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export ZELT_REGISTRY="$dir/registry.json"
failures=0

"$zelt" demo --db "$dir/zelt.db" >"$dir/saida.txt" 2>&1
status=$?
[ "$status" = 0 ] || { echo "FAIL: zelt demo exited with $status"; failures=$((failures + 1)); }
for linha in "Animal incluído: Tom, código 3." "Animais do cliente (3)" "Em uma linha: Mia, Rex e Tom" \
             "      Tom — Canina, "; do
    grep -qF -- "$linha" "$dir/saida.txt" || { echo "FAIL: missing line: $linha"; failures=$((failures + 1)); }
done
[ "$failures" = 0 ] && echo "zelt demo: animals added and listed" || cat "$dir/saida.txt"
exit "$failures"
