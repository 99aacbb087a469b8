#!/usr/bin/env bash
# The main job on the sample product: builds Setup.exe and the sample package
# (build/win/sample-package), then installs the sample under Wine in a fresh prefix of its own
# under build/demo (never the user's).
# - With $DISPLAY set, the wizard opens on that display for you to click through; what the
#   installation left behind is printed when Setup.exe ends, and the demo ends when the programs
#   it started (Kestra Capture, from the finish page) are closed too.
# - Without it, the demo runs on a private Xvfb display and walks the wizard as a user would
#   (welcome, licence, ready page, installation, finish), saves a picture of every page under
#   build/demo/pictures and prints what was installed.
# SETUP_DEMO_BUILD names another Windows build folder (default build/win).
set -euo pipefail
case ${1-} in -h | --help) echo "usage: tools/demo.sh (installs the sample product under Wine in a fresh prefix under build/demo)"; exit 0 ;; esac
cd "$(dirname "$0")/.."
root=$PWD
build=$root/${SETUP_DEMO_BUILD:-build/win}

tools/install-deps.sh
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j2 --target Setup sample_package demo_walk

package=$build/sample-package
demo=$root/build/demo
state=$demo/state
prefix=$demo/prefix
pictures=$demo/pictures
user_display=${DISPLAY:-}

# A template prefix (made on a private display) copied afresh: every run meets a new machine.
tests/wine/wine-fixture start "$state"
trap 'wineserver -k 2>/dev/null || true; tests/wine/wine-fixture stop "$state"' EXIT
rm -rf "$prefix" "$pictures"
cp -a "$state/template" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
win() { winepath -w "$1" 2>/dev/null; }

if [ -n "$user_display" ]; then
  export DISPLAY=$user_display
  # The template's windows are unmanaged (tests have no window manager); a person has one.
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  echo "The wizard opens on $DISPLAY: click it through."
  wine "$package/Setup.exe" || true
else
  export DISPLAY=$(cat "$state/display")
  echo "Installing the sample on a private display ($DISPLAY), as a user would:"
  wine "$build/demo_walk.exe" install "$(win "$package")" English "$(win "$pictures")"
fi

echo
echo "What the installation left behind:"
wine "$build/demo_walk.exe" report "$(win "$package")"
if [ -d "$pictures" ]; then
  echo
  echo "Pictures of the pages: $pictures"
  ls "$pictures"
fi

if [ -n "$user_display" ]; then
  # The finish page may have started Kestra Capture: leave it open for you rather than end it
  # with the prefix's Wine server. The server ends on its own once its last program has ended.
  echo
  echo "Setup.exe has ended. The demo ends when the programs it started in the demo's prefix have"
  echo "ended too: close Kestra Capture if the finish page started it."
  wineserver -w
fi
