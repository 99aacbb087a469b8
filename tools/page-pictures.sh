#!/usr/bin/env bash
# Pictures of every window of the wizard for the README, taken from the real Setup.exe under
# Wine on a private display: the sample package walked in English and in German (cancelled,
# installed, upgraded to release B, uninstalled, installed with its program file held open by
# another program). They are written to docs/pages/<Language>/.
# The sample's upgrade copies a handful of files and is over before its page could be pictured,
# so the walk upgrades to a copy of release B that also brings a bulky folder of samples (built
# here, under build/page-pictures): Setup.exe is the same, only its work lasts long enough.
# Then the welcome and licence pages at 200 % (docs/pages/English-200/) and in Arabic, mirrored
# (docs/pages/Arabic/). `tools/page-pictures.sh scaled` takes only those.
# SETUP_DEMO_BUILD names another Windows build folder (default build/win).
set -euo pipefail
case ${1-} in -h | --help) echo "usage: tools/page-pictures.sh (takes the pictures of every wizard page into docs/pages)"; exit 0 ;; esac
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

only_scaled=0
[ "${1:-}" = scaled ] && only_scaled=1

# Wine takes the system language from the locale it is started in.
for run in English:C.UTF-8 German:de_DE.UTF-8; do
  [ "$only_scaled" = 1 ] && break
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

# The welcome and licence pages at 200 % and in Arabic: the installation walk, of which these two
# pictures are kept. Wine reads the scale (LogPixels) when its server starts.
for run in English-200:C.UTF-8:192 Arabic:ar_SA.UTF-8:96; do
  IFS=: read -r name locale dpi <<<"$run"
  export LC_ALL=$locale
  export WINEPREFIX=$state/prefix-$name
  rm -rf "$WINEPREFIX"
  cp -a "$state/template" "$WINEPREFIX"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  out=$root/docs/pages/$name
  rm -rf "$out"
  mkdir -p "$out"
  language=${name%%-*}
  echo "$name:"
  wine "$build/demo_walk.exe" install "$(win "$build/sample-package")" "$language" "$(win "$out")" ||
    echo "  (install did not reach its end)"
  find "$out" -type f ! -name FWelcome.png ! -name FEULA.png -delete
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
done
