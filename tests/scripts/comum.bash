# Sourced by the scripts that drive the zelt command: $zelt, a temporary $dir with its own class
# registry (removed on exit), a failure count, the date-time mask, and the database $db, also in
# ZELT_DATABASE. With ZELT_TEST_ENGINE=postgresql, $db is a new database of this script's own on
# the server ZELT_TEST_POSTGRES names (dropped on exit), and $servidor is set; without a server the
# script is skipped.
set -u
zelt="$1"
dir="$(mktemp -d)"
export ZELT_REGISTRY="$dir/registry.json"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The server's date-times change from run to run: they read DATA_HORA.
semHora() { sed -E 's#[0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}#DATA_HORA#g'; }

# The server URI with another database name in its path: comNomeDeBanco URI NAME.
comNomeDeBanco() {
    [[ "$1" =~ ^([a-z]+://[^/?]*)(/[^?]*)?(\?.*)?$ ]] || return 1
    echo "${BASH_REMATCH[1]}/$2${BASH_REMATCH[3]}"
}
# Runs one statement on the server's own database: noServidor SQL.
noServidor() { psql "$ZELT_TEST_POSTGRES" -qAtX -v ON_ERROR_STOP=1 -c "$1" >/dev/null; }
# A new empty database on the server, dropped on exit, its URI in $banco: novoBanco NAME.
bancos=()
novoBanco() {
    noServidor "CREATE DATABASE $1" || { echo "FAIL: could not create the database $1" >&2; return 1; }
    bancos+=("$1")
    banco="$(comNomeDeBanco "$ZELT_TEST_POSTGRES" "$1")"
}

servidor=""
if [ "${ZELT_TEST_ENGINE:-}" = postgresql ]; then
    if [ -z "${ZELT_TEST_POSTGRES:-}" ]; then
        echo "SKIP: ZELT_TEST_POSTGRES não está definida: este roteiro precisa de um servidor PostgreSQL 15"
        rm -rf "$dir"; exit 0
    fi
    command -v psql >/dev/null || { echo "FAIL: psql not available"; rm -rf "$dir"; exit 1; }
    servidor="zelt_roteiro_$(basename "$0" .sh)_$$"
    trap 'for b in "${bancos[@]}"; do noServidor "DROP DATABASE IF EXISTS $b WITH (FORCE)"; done; rm -rf "$dir"' EXIT
    novoBanco "$servidor" || exit 1
    db="$banco"
else
    trap 'rm -rf "$dir"' EXIT
    db="$dir/zelt.db"
fi
export ZELT_DATABASE="$db"
