#!/usr/bin/env bash
# The last step of `make installer`: puts the built program at its place, signed when a key is
# given, and prints what was made.
#
#   finish-installer.sh BUILT PAYLOAD_DIR OUT
#
# BUILT is the Windows build's CirvaneIVSetup.exe, PAYLOAD_DIR the directory of its generated
# payload table (payload_table.cpp and payload.bin), OUT where the installer goes. When SIGN_CERT,
# SIGN_KEY or SIGN_PKCS12 is set, OUT is BUILT signed by scripts/sign-installer.sh (which reads
# the other SIGN_ variables); otherwise it is BUILT byte for byte. The summary names the file, its
# size, the payload's entries and stored bytes, the program's own share (the size without the
# stored payload), its SHA-256 and whether it carries an Authenticode signature.
set -euo pipefail

here=$(dirname "$(realpath "$0")")
# shellcheck source=scripts/pe_image.sh
source "$here/pe_image.sh"

fail() {
  echo "finish-installer: $*" >&2
  exit 1
}

[ $# -eq 3 ] || fail "usage: $0 BUILT PAYLOAD_DIR OUT"
built=$1
table=$2/payload_table.cpp
blob=$2/payload.bin
out=$3
for input in "$built" "$table" "$blob"; do
  [ -f "$input" ] || fail "$input is missing"
done

if [ -n "${SIGN_CERT:-}${SIGN_KEY:-}${SIGN_PKCS12:-}" ]; then
  bash "$here/sign-installer.sh" "$built" "$out"
else
  cp "$built" "$out.copying"
  mv -f "$out.copying" "$out"
fi

# The generated table's first line: "... payloadgen: N entries, B bytes stored. ..."
entries=$(sed -n '1s/.*: \([0-9]*\) entries, .*/\1/p' "$table")
stored=$(stat -c %s "$blob")
size=$(stat -c %s "$out")
signature=$(pe_signature_size "$out")
if [ "$signature" -gt 0 ]; then
  signed="yes (Authenticode, $signature bytes of signature)"
else
  signed=no
fi

echo "installer:       $out"
echo "size:            $size bytes"
echo "payload:         ${entries:-?} entries, $stored bytes stored"
echo "program's share: $((size - stored)) bytes (size minus stored payload)"
echo "SHA-256:         $(sha256sum "$out" | cut -d' ' -f1)"
echo "signed:          $signed"
