#!/usr/bin/env bash
# Builds Setup.exe and starts it under Wine on a minimal package assembled under build/, in a Wine
# prefix of its own under build/ (never the user's), on a private display unless $DISPLAY is set,
# and saves a screenshot of what it shows as build/demo/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

demo=$root/build/demo
package=$demo/package
rm -rf "$package"
mkdir -p "$package"
cp build/win/Setup.exe "$package/"
mkdir -p "$package/Texts"
cp build/win/testdata/InstallWizard_Texts.xls "$package/Texts/"
mkdir -p "$demo/state/prefixes"

own_display=0
if [ -z "${DISPLAY:-}" ]; then own_display=1; fi
if [ $own_display = 1 ]; then
  tests/wine/wine-fixture start "$demo/state"
  export DISPLAY=$(cat "$demo/state/display")
elif [ ! -d "$demo/state/template" ]; then
  echo "DISPLAY is set: the wizard opens there." >&2
fi
export WINEPREFIX=$demo/prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || cp -a "$demo/state/template" "$WINEPREFIX" 2>/dev/null || wineboot -i

wine "$package/Setup.exe" &
setup_pid=$!
if [ $own_display = 1 ]; then
  # Wait (bounded) until the preparation window is on the screen.
  for _ in $(seq 1 120); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Preparing Setup"'; then break; fi
    sleep 0.5
  done
  import -window root "$demo/screenshot.png"
  echo "Screenshot: $demo/screenshot.png"
  wineserver -k || true
  tests/wine/wine-fixture stop "$demo/state"
else
  wait $setup_pid || true
fi
