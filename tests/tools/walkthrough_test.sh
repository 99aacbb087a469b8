#!/usr/bin/env bash
# The README's walkthrough "Making a package", run as written: every ```sh block of that section
# in order, from a folder laid out as the source folder with both builds (tools/ and the
# Windows build's Setup.exe and programs, the host build of the package tools as the native
# build). It ends with a signed release that passes check_package --release and sha256sum -c.
#   walkthrough_test.sh SOURCE_ROOT WINDOWS_BUILD SCRATCH
set -uo pipefail
root=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch/build/native/tools"
cd "$scratch" || exit 2
ln -s "$root/tools" tools
ln -s "$build" build/win
ln -s "$build/host-tools/tools/native" build/native/tools/native

# The ```sh blocks between the section's heading and the next heading of its level or above.
/usr/bin/python3 - "$root/README.md" >walkthrough.sh <<'PYTHON'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
section = text.split("## Making a package (release engineers)\n", 1)[1]
section = re.split(r"\n#{2,3} ", section, maxsplit=1)[0]
blocks = re.findall(r"^( *)```sh\n(.*?)^\1```", section, re.S | re.M)
print("# %d blocks" % len(blocks))
for indent, body in blocks:
    print("".join(line[len(indent):] + "\n" for line in body.splitlines()))
PYTHON
blocks=$(sed -n 's/^# \([0-9]*\) blocks$/\1/p' walkthrough.sh)
if [ "${blocks:-0}" -lt 5 ]; then
  echo "FAIL: the walkthrough has ${blocks:-0} command blocks, not the 5 or more expected"
  exit 1
fi
if ! SOURCE_DATE_EPOCH=1700000000 bash -euo pipefail walkthrough.sh >walkthrough.log 2>&1; then
  echo "FAIL: the walkthrough's commands failed:"
  cat walkthrough.log
  exit 1
fi
grep -qF "release: no defects found" walkthrough.log ||
  { echo "FAIL: check_package did not pass the release:"; cat walkthrough.log; exit 1; }
echo "the walkthrough ($blocks command blocks) ends with a signed release that passes the checks"
rm -rf "$scratch"
