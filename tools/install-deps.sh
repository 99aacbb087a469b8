#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine (run as root).
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  # build
  cmake make g++ clang clang-format googletest
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  # running and driving the Win32 program
  wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils imagemagick
  # fixtures, oracles and resource checks
  python3-xlwt python3-pefile libfreexl-dev libreoffice-calc-nogui
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
