#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for the given number of seconds (default 30), seeded
# with the real-writer workbook fixtures. Fails on the first crash, leak or time-out.
set -euo pipefail
case ${1-} in -h | --help) echo "usage: tools/run-fuzzers.sh [SECONDS] (runs every fuzz target for SECONDS, 30 by default)"; exit 0 ;; esac
cd "$(dirname "$0")/.."
seconds=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
fixtures=build/fuzz/tests/xls/fixtures
for target in build/fuzz/tests/fuzz/*_fuzz; do
  name=$(basename "$target")
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  if [ "$name" = xls_reader_fuzz ] && [ -d "$fixtures" ]; then seeds=("$fixtures"); fi
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    "$corpus" "${seeds[@]}" 2>&1 | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)' || true
  test "${PIPESTATUS[0]}" -eq 0
done
