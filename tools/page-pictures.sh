#!/usr/bin/env bash
# Pictures of every window of the wizard for the README, taken from the real Setup.exe under
# Wine on a private display: the sample package walked in English and in German (cancelled,
# installed, upgraded to release B, uninstalled, installed with its program file held open by
# another program). They are written to docs/pages/<Language>/.
# The sample's upgrade copies a handful of files and is over before its page could be pictured,
# so the walk upgrades to a copy of release B that also brings a bulky folder of samples (built
# here, under build/page-pictures): Setup.exe is the same, only its work lasts long enough.
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

# Release B with 2,000 more files of 100 kB in its program folder, listed in its file list, so the
# upgrade copies about 200 MB (a few seconds under Wine).
bulky=$state/sample-package-b-bulky
rm -rf "$bulky"
cp -a "$build/sample-package-b" "$bulky"
program="$bulky/program files/$(sed -n 's/^%PROGRAM_FILES=//p' "$bulky/Setup.ini" | tr -d '\r')"
/usr/bin/python3 - "$program/Samples" <<'PY'
import os, sys
os.makedirs(sys.argv[1])
for n in range(2000):
    with open(os.path.join(sys.argv[1], "Sample%04d.kcs" % n), "wb") as out:
        out.write(n.to_bytes(4, "little") * 25000)
PY
"$build/host-tools/tools/native/make_file_list" "$program"

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
  b=$(win "$bulky")
  pictures=$(win "$out")
  echo "$language:"
  walk() { wine "$build/demo_walk.exe" "$1" "$2" "$language" "$pictures" || echo "  ($1 did not reach its end)"; }
  walk cancel "$a"
  walk install "$a"
  walk upgrade "$b"
  walk uninstall "$a"
  walk incomplete "$a"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
done
