# Sourced by the scripts that drive the zelt command: $zelt, a temporary $dir with its own class
# registry (removed on exit), a failure count and the date-time mask.
set -u
zelt="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export ZELT_REGISTRY="$dir/registry.json"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The server's date-times change from run to run: they read DATA_HORA.
semHora() { sed -E 's#[0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}#DATA_HORA#g'; }
