#!/usr/bin/env bash
# Cross-checks the CPF and CNPJ check digits against an independent implementation, the npm
# package @brazilian-utils/brazilian-utils, installed into a temporary directory:
#  - 2,000 CPFs and 2,000 CNPJs from its generators must pass;
#  - 4,000 near misses (one digit of a valid number changed) and 1,000 random numbers of each
#    kind must get the same verdict as its validators.
# Numbers of eleven equal digits are left out: the register accepts them as CPFs on purpose,
# the package refuses them.
# Skips (exit 0) without node/npm or when the package cannot be installed (no network).
# $1: the zelt command; the client test program sits beside it in tests/.
# ZELT_BRUTILS_PREFIX: a directory to install into and reuse instead of a temporary one.
set -u
zelt="${1:-}"
build_dir="$(dirname "${zelt:-./zelt}")"
test_program="${ZELT_TEST_CLIENTS:-$build_dir/tests/test_clients}"
package='@brazilian-utils/brazilian-utils@2.4.0'

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "SKIP: node/npm not available"; exit 0
fi
if [ ! -x "$test_program" ]; then
    echo "FAIL: $test_program not built"; exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="${ZELT_BRUTILS_PREFIX:-$work/npm}"
if [ ! -d "$prefix/node_modules/@brazilian-utils/brazilian-utils" ]; then
    if ! npm install --silent --no-audit --no-fund --no-save --fetch-retries=1 --fetch-timeout=30000 \
            --prefix "$prefix" "$package" >"$work/npm.log" 2>&1; then
        echo "SKIP: could not install $package (no network?)"; sed 's/^/  /' "$work/npm.log" | tail -5; exit 0
    fi
fi

# From here on every failure is a failure of the check, not a reason to skip.
numbers="$work/numeros.txt"
if ! PREFIX="$prefix" node - >"$numbers" <<'JS'
const { createRequire } = require('module');
const u = createRequire(process.env.PREFIX + '/')('@brazilian-utils/brazilian-utils');
const kinds = [
  { length: 11, generate: u.generateCPF, valid: u.isValidCPF },
  { length: 14, generate: u.generateCNPJ, valid: u.isValidCNPJ },
];
const digits = n => Array.from({ length: n }, () => Math.floor(Math.random() * 10)).join('');
const out = [];
const add = (k, n) => { if (!/^(\d)\1*$/.test(n)) out.push(n + ' ' + (k.valid(n) ? 1 : 0)); };
for (const k of kinds) {
  if (typeof k.generate !== 'function' || typeof k.valid !== 'function') throw new Error('API changed');
  for (let made = 0; made < 2000;) {
    const n = String(k.generate()).replace(/[.\/-]/g, '');
    if (!/^\d+$/.test(n)) continue;  // the register keeps digits only
    if (n.length !== k.length || !k.valid(n)) throw new Error('generator gave ' + n);
    add(k, n);
    const p = Math.floor(Math.random() * k.length);
    const other = String((Number(n[p]) + 1 + Math.floor(Math.random() * 9)) % 10);
    add(k, n.slice(0, p) + other + n.slice(p + 1));
    made++;
  }
  for (let i = 0; i < 1000; i++) add(k, digits(k.length));
}
process.stdout.write(out.join('\n') + '\n');
JS
then
    echo "FAIL: the generator did not run"; exit 1
fi

echo "checking $(wc -l <"$numbers") numbers against $package"
output="$(ZELT_DOCUMENTOS="$numbers" "$test_program" --gtest_filter='ConferenciaExterna.*' 2>&1)"
status=$?
echo "$output" | tail -20
# A filter that matches nothing, or a test that skipped, must not read as agreement.
if [ $status -ne 0 ] || ! grep -q '\[  PASSED  \] 1 test' <<<"$output" || grep -q '\[  SKIPPED \]' <<<"$output"; then
    echo "FAIL: the check digits disagree with $package"; exit 1
fi
