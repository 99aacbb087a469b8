#!/usr/bin/env bash
# Signing a release with a throwaway certificate: tools/make-release signs Setup.exe and the
# sample's programs (the password once from a file, once from the environment), osslsigncode
# verifies them, check_package --release refuses the unsigned sample package and a signed
# Setup.exe changed afterwards, and passes the signed release, whose Setup.exe still runs under
# Wine (the wizard walked to its cancelled page).
#   release_signing_test.sh BUILD_FOLDER SCRATCH
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$1
scratch=$2
check_package=$build/host-tools/tools/native/check_package
rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch" || exit 2

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
  -subj "/CN=Throwaway Release Signer" -addext extendedKeyUsage=codeSigning 2>/dev/null &&
  printf 'throwaway pass\n' >password &&
  openssl pkcs12 -export -inkey key.pem -in cert.pem -out signer.p12 -passout file:password ||
  { echo "FAIL: no throwaway certificate"; exit 1; }

release() {  # OUT, then the password options
  local out=$1
  shift
  /usr/bin/python3 "$root/tools/make-release" "$build/sample-sources/a" "$out" \
    --check-tool "$check_package" --file-list-tool "$build/host-tools/tools/native/make_file_list" \
    --pkcs12 signer.p12 --trusted-certificates cert.pem "$@" >"$out.log" 2>&1
}
verifies() { osslsigncode verify -CAfile cert.pem -in "$1" >/dev/null 2>&1; }

export RELEASE_PASSWORD='throwaway pass'
for way in "file:--password-file password" "environment:--password-env RELEASE_PASSWORD"; do
  name=${way%%:*}
  read -ra options <<<"${way#*:}"
  if ! release "$scratch/$name" "${options[@]}"; then
    fail "the signed release with the password from the $name failed:"; cat "$scratch/$name.log"
    continue
  fi
  for program in Setup.exe "program files/Kestra Capture/KestraCapture.exe"; do
    verifies "$scratch/$name/$program" || fail "$program of the release ($name) does not verify"
  done
done

# The check can fail: the build's programs carry no signature.
verifies "$build/Setup.exe" && fail "osslsigncode verifies the unsigned Setup.exe"

# check_package --release: CASE|PACKAGE|EXPECTED EXIT CODE|EXPECTED LINE
cp -a "$build/sample-package" unsigned
cp -a file changed
printf '\x01' | dd of=changed/Setup.exe bs=1 seek=4096 conv=notrunc status=none
while IFS='|' read -r case package code line; do
  output=$("$check_package" --release --trusted-certificates cert.pem "$package")
  actual=$?
  [ "$actual" = "$code" ] || fail "$case: exit code $actual, not $code"
  grep -qF -- "$line" <<<"$output" || fail "$case: no line \"$line\" in: $output"
done <<'EOF'
unsigned package|unsigned|1|Setup.exe: signature: not signed
signed Setup.exe changed afterwards|changed|1|Setup.exe: signature: the file was changed after it was signed
signed release|file|0|no defects found
EOF
# Without --release the missing signature is a warning: the exit code stays 0.
output=$("$check_package" --trusted-certificates cert.pem unsigned) ||
  fail "check_package without --release failed on the unsigned package"
grep -qF "warning: Setup.exe: signature: not signed" <<<"$output" || fail "no warning: $output"

# The signed Setup.exe under Wine, in a fresh prefix: welcome page, Cancel, the cancelled page.
windows() { echo "Z:${1//\//\\}"; }
mkdir -p pictures
LC_ALL=C.UTF-8 "$build/wine-run" "$build/demo_walk.exe" cancel "$(windows "$scratch/file")" \
  English "$(windows "$scratch/pictures")" >walk.log 2>&1 ||
  { fail "the signed Setup.exe did not walk to its cancelled page under Wine:"; cat walk.log; }

[ "$failures" = 0 ] || exit 1
echo "signed releases verify, the checker tells signed from unsigned, the signed Setup.exe runs"
