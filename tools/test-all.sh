#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively (plain and under ASan/UBSan),
# the fuzz targets for a bounded time, the Win32 program with its checks (under Wine where this
# machine can run 32-bit code), and two clean builds of Setup.exe that must be byte-identical.
set -euo pipefail
case ${1-} in -h | --help) echo "usage: tools/test-all.sh (builds everything and runs every test)"; exit 0 ;; esac
cd "$(dirname "$0")/.."

tools/install-deps.sh

for preset in native native-asan windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# Two clean builds of Setup.exe in different folders give the same bytes.
tools/check-reproducible.sh

tools/run-fuzzers.sh "${SETUP_FUZZ_SECONDS:-30}"
