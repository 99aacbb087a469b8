#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine (run as root).
# Safe to run again: apt skips what is already there.
set -euo pipefail
case ${1-} in -h | --help) echo "usage: tools/install-deps.sh (installs what the build and the tests need, with apt-get, as root)"; exit 0 ;; esac

packages=(
  # build
  cmake make g++ clang clang-format googletest
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  # running and driving the Win32 program
  wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils imagemagick
  # fixtures, oracles and resource checks
  python3-xlwt python3-pefile python3-pil libfreexl-dev libreoffice-calc-nogui
  # the peer installer of the benchmarks (tools/run-benchmarks.sh)
  nsis
  # releases: Authenticode signing and its check, throwaway certificates in the tests
  osslsigncode openssl
  # the fonts the page pictures are drawn with: Wine's own (Tahoma, the dialogs' face) and
  # fontconfig's default, which Wine falls back to for any face it does not bring itself; named
  # here so that no other set a machine happens to have changes the pictures
  fonts-wine fonts-dejavu-core fonts-dejavu-extra fontconfig
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# A mirror in the middle of a sync can serve an index that does not match its Release file; the
# 32-bit packages then lag behind their 64-bit twins and cannot be installed. That passes within
# minutes, so the lists are fetched again a few times before giving up.
install_packages() {
  local attempt
  for attempt in 1 2 3 4 5; do
    apt-get update -qq || echo "install-deps: apt-get update reported errors; going on with the lists it has" >&2
    if DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"; then
      return 0
    fi
    [ "$attempt" -lt 5 ] && { echo "install-deps: install failed, fetching the lists again in 60 s" >&2; sleep 60; }
  done
  return 1
}
if [ ${#missing[@]} -gt 0 ]; then
  install_packages "${missing[@]}"
fi

# Wine runs Setup.exe with its 32-bit loader. Some kernels (virtual machines that run 64-bit user
# code only) refuse 32-bit x86 programs; there the loader runs under qemu's i386 user emulation,
# registered for 32-bit x86 programs through binfmt_misc. Debian 12's qemu 7.2 is far too slow
# for Wine (it does not honour fixed-address hints, so Wine probes 4 GB in 64 KB steps); the
# backported qemu 10 is not.
runs_ia32() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

# The configured apt sources as "type uri suite signed-by" lines, from the one-line files and the
# deb822 ones alike.
configured_sources() {
  local list
  for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] || continue
    awk '$1 == "deb" || $1 == "deb-src" {
           type = $1; i = 2; signed = "-"
           if ($i ~ /^\[/) {
             while (i <= NF) {
               option = $i; sub(/^\[/, "", option); sub(/\]$/, "", option)
               if (option ~ /^signed-by=/) { signed = substr(option, 11) }
               if ($i ~ /\]$/) { break }
               i++
             }
             i++
           }
           print type, $i, $(i + 1), signed
         }' "$list"
  done
  for list in /etc/apt/sources.list.d/*.sources; do
    [ -f "$list" ] || continue
    awk 'function flush(   t, u, s, nt, nu, ns, a, b, c, types, uris, suites) {
           nt = split(stanza["types"], types, " "); nu = split(stanza["uris"], uris, " ")
           ns = split(stanza["suites"], suites, " ")
           if (stanza["enabled"] != "no") {
             for (a = 1; a <= nt; a++) for (b = 1; b <= nu; b++) for (c = 1; c <= ns; c++)
               print types[a], uris[b], suites[c], (stanza["signed-by"] == "" ? "-" : stanza["signed-by"])
           }
           delete stanza
         }
         /^[ \t]*#/ { next }
         /^[ \t]*$/ { flush(); next }
         /^[A-Za-z-]+:/ { key = tolower(substr($0, 1, index($0, ":") - 1))
                          value = substr($0, index($0, ":") + 1); gsub(/^[ \t]+|[ \t]+$/, "", value)
                          stanza[key] = value }
         END { flush() }' "$list"
  done
}

# The backports suite comes from the archive this machine already uses for its release: the
# entry of the release's own suite gives the address (and key) that the backports entry takes.
add_backports_source() {
  local codename=$1 uri signed
  if configured_sources | awk -v s="$codename-backports" '$1 == "deb" && $3 == s { found = 1 } END { exit !found }'; then
    return 0
  fi
  read -r _ uri _ signed < <(configured_sources | awk -v s="$codename" '$1 == "deb" && $3 == s' | head -n 1) || true
  if [ -z "${uri:-}" ]; then
    echo "install-deps: no apt source of the suite $codename is configured to take the backports address from" >&2
    exit 1
  fi
  {
    echo "Types: deb"
    echo "URIs: $uri"
    echo "Suites: $codename-backports"
    echo "Components: main"
    [ "$signed" = - ] || echo "Signed-By: $signed"
  } >"/etc/apt/sources.list.d/$codename-backports.sources"
}

if ! runs_ia32; then
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  if ! dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null | grep -q '^1:1[0-9]'; then
    add_backports_source "$codename"
    install_packages -t "$codename-backports" qemu-user-static
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
  [ -e "$binfmt/qemu-i386" ] && echo -1 >"$binfmt/qemu-i386"
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >"$binfmt/register"
  runs_ia32 || { echo "install-deps: 32-bit x86 programs still do not run" >&2; exit 1; }
fi
