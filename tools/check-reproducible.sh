#!/usr/bin/env bash
# Builds Setup.exe twice from the same sources, each copy of the sources and each build folder in
# a different path, prints both SHA-256 hashes and fails when they differ: a shipped Setup.exe can
# then be traced to its commit by building that commit again.
#   tools/check-reproducible.sh [SCRATCH_FOLDER]
# The sources are the files git tracks (as they are in the working tree) plus untracked files
# that are not ignored. SOURCE_DATE_EPOCH is the last commit's time unless it is set.
set -euo pipefail
case ${1-} in -h | --help) echo "usage: tools/check-reproducible.sh [SCRATCH_FOLDER] (builds Setup.exe twice and compares the two)"; exit 0 ;; esac
cd "$(dirname "$0")/.."
root=$PWD

if [ $# -gt 0 ]; then
  scratch=$1
  rm -rf "$scratch/one" "$scratch/second-tree" "$scratch/elsewhere"
  mkdir -p "$scratch"
else
  scratch=$(mktemp -d /tmp/setup-reproducible.XXXXXX)
  trap 'rm -rf "$scratch"' EXIT
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

build_in() {
  local sources=$1 build=$2
  mkdir -p "$sources"
  git -C "$root" ls-files -z --cached --others --exclude-standard |
    (cd "$root" && xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh) |
    tar -C "$root" --null -T - -cf - | tar -C "$sources" -xf -
  (cd "$sources" && cmake --preset windows -B "$build" >/dev/null)
  cmake --build "$build" -j2 --target Setup >/dev/null
}

build_in "$scratch/one/src" "$scratch/one/build"
build_in "$scratch/second-tree/sources" "$scratch/elsewhere/out/win"
first=$(sha256sum "$scratch/one/build/Setup.exe" | cut -d' ' -f1)
second=$(sha256sum "$scratch/elsewhere/out/win/Setup.exe" | cut -d' ' -f1)
echo "$first  Setup.exe built in $scratch/one"
echo "$second  Setup.exe built in $scratch/elsewhere"
if [ "$first" != "$second" ]; then
  echo "check-reproducible: the two builds of Setup.exe differ" >&2
  cmp -l "$scratch/one/build/Setup.exe" "$scratch/elsewhere/out/win/Setup.exe" | head -n 20 >&2 || true
  exit 1
fi
echo "check-reproducible: both builds of Setup.exe are byte-identical"
