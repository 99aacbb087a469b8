#!/usr/bin/env bash
# Pictures of every window of the wizard for the README, taken from the real Setup.exe under
# Wine on a private display: the sample package walked in English and in German (cancelled,
# installed, upgraded to release B, uninstalled). They are written to docs/pages/<Language>/.
# SETUP_DEMO_BUILD names another Windows build folder (default build/win).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/${SETUP_DEMO_BUILD:-build/win}

cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j2 --target Setup sample_package demo_walk

state=$root/build/page-pictures
tests/wine/wine-fixture start "$state"
trap 'wineserver -k 2>/dev/null || true; tests/wine/wine-fixture stop "$state"' EXIT
export DISPLAY=$(cat "$state/display") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
win() { winepath -w "$1" 2>/dev/null; }

# Wine takes the system language from the locale it is started in.
for run in English:C.UTF-8 German:de_DE.UTF-8; do
  language=${run%%:*}
  export LC_ALL=${run#*:}
  export WINEPREFIX=$state/prefix-$language
  rm -rf "$WINEPREFIX"
  cp -a "$state/template" "$WINEPREFIX"
  out=$root/docs/pages/$language
  rm -rf "$out"
  mkdir -p "$out"
  a=$(win "$build/sample-package")
  b=$(win "$build/sample-package-b")
  pictures=$(win "$out")
  echo "$language:"
  walk() { wine "$build/demo_walk.exe" "$1" "$2" "$language" "$pictures" || echo "  ($1 did not reach its end)"; }
  walk cancel "$a"
  walk install "$a"
  walk upgrade "$b"
  walk uninstall "$a"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
done
