#!/usr/bin/env bash
# Cross-checks the CPF and CNPJ check digits against an independent generator of valid numbers
# (the npm package @brazilian-utils/brazilian-utils): 2,000 of each must pass, and each with its
# last check digit changed must fail. Skips (exit 0) without node/npm or without the network.
# $1: the zelt command; the client test program sits beside it in tests/.
set -u
zelt="${1:-}"
build_dir="$(dirname "${zelt:-./zelt}")"
test_program="${ZELT_TEST_CLIENTS:-$build_dir/tests/test_clients}"
prefix="${ZELT_BRUTILS_PREFIX:-/tmp/brutils}"

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "SKIP: node/npm not available"; exit 0
fi
if [ ! -x "$test_program" ]; then
    echo "SKIP: $test_program not built"; exit 0
fi
if [ ! -d "$prefix/node_modules/@brazilian-utils/brazilian-utils" ]; then
    if ! npm install --silent --no-audit --no-fund --prefix "$prefix" @brazilian-utils/brazilian-utils >/dev/null 2>&1; then
        echo "SKIP: could not install @brazilian-utils/brazilian-utils (no network?)"; exit 0
    fi
fi

numbers="$(mktemp)"
trap 'rm -f "$numbers"' EXIT
if ! PREFIX="$prefix" node - >"$numbers" <<'JS'
const { createRequire } = require('module');
const { pathToFileURL } = require('url');
(async () => {
  const req = createRequire(process.env.PREFIX + '/');
  let u;
  try { u = req('@brazilian-utils/brazilian-utils'); }
  catch { u = await import(pathToFileURL(req.resolve('@brazilian-utils/brazilian-utils')).href); }
  const cpf = u.generateCPF || u.generateCpf, cnpj = u.generateCNPJ || u.generateCnpj;
  if (!cpf || !cnpj) throw new Error('generators not found in the package');
  const out = [];
  for (let i = 0; i < 2000; i++) out.push(String(cpf()).replace(/\D/g, ''));
  // Only numeric CNPJs: the register keeps digits.
  for (let n = 0; n < 2000;) { const c = String(cnpj()).replace(/[.\/-]/g, ''); if (/^\d{14}$/.test(c)) { out.push(c); n++; } }
  process.stdout.write(out.join('\n') + '\n');
})().catch(e => { console.error(e.message); process.exit(2); });
JS
then
    echo "SKIP: the generator did not run"; exit 0
fi

echo "checking $(wc -l <"$numbers") generated numbers"
ZELT_DOCUMENTOS="$numbers" "$test_program" --gtest_filter='ConferenciaExterna.*' --gtest_brief=1
