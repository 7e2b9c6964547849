#!/usr/bin/env bash
# Signing the installer as `make installer` does (scripts/finish-installer.sh), with a
# throw-away key and certificate made here by openssl:
#
#   tests/e2e/signing_test.sh INSTALLER PAYLOAD_DIR SIGNED
#
# INSTALLER is the built CirvaneIVSetup.exe, PAYLOAD_DIR the directory of its generated table
# (payload.bin). Checks that without a key the installer is left as built; that the signed one
# passes `osslsigncode verify` with a SHA-256 digest and the description; that it differs from the
# unsigned one only by its signature (the header's checksum and certificate entry, and the
# signature appended), so the payload inside is untouched; that the same key, program and
# SOURCE_DATE_EPOCH give the same bytes, from PEM files and from a PKCS#12 file alike; and that an
# incomplete key is refused with nothing written. Leaves the signed installer at SIGNED, for the
# end-to-end test to install.
set -uo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 INSTALLER PAYLOAD_DIR SIGNED" >&2
  exit 2
fi
installer=$(realpath "$1")
payload_dir=$(realpath "$2")
signed_out=$(realpath -m "$3")

here=$(dirname "$(realpath "$0")")
scripts=$(realpath "$here/../../scripts")
# shellcheck source=tests/e2e/checks.sh
source "$here/checks.sh"
# shellcheck source=scripts/pe_image.sh
source "$scripts/pe_image.sh"

# One SOURCE_DATE_EPOCH for every signing, inside the certificate's validity.
signing_time=$(date +%s)
readonly signing_time
readonly signed_description="Cirvane IV Setup"

work=$(mktemp -d "${TMPDIR:-/tmp}/cirvane-signing.XXXXXX")
trap 'rm -rf "$work"' EXIT

# finish NAME [VARIABLE=VALUE...]: `make installer`'s last step into $work/NAME.exe with the
# given signing variables, its summary in $work/NAME.log; its exit status.
finish() {
  local name=$1
  shift
  env -u SIGN_CERT -u SIGN_KEY -u SIGN_PKCS12 -u SIGN_PASS_FILE -u SIGN_TIMESTAMP_URL \
    SOURCE_DATE_EPOCH="$signing_time" "$@" \
    bash "$scripts/finish-installer.sh" "$installer" "$payload_dir" "$work/$name.exe" \
    >"$work/$name.log" 2>&1
}

# The offsets (from 0) where the files $1 and $2 differ within the length of $1.
differing_offsets() {
  cmp -l -n "$(stat -c %s "$1")" "$1" "$2" | awk '{ print $1 - 1 }'
}

# The offsets that signing may change: the checksum and the certificate table's entry.
signature_fields() {
  local header entry
  header=$(pe_number "$1" "$PE_LFANEW_OFFSET" 4)
  seq $((header + PE_OPTIONAL_HEADER + 64)) $((header + PE_OPTIONAL_HEADER + 67))
  entry=$(pe_certificate_entry "$1")
  seq "$entry" $((entry + PE_DIRECTORY_SIZE - 1))
}

# 0 when the bytes of file $2 occur in file $1.
contains_bytes() {
  perl -e 'local $/;
    open(my $a, "<:raw", $ARGV[0]) or exit 2;
    open(my $b, "<:raw", $ARGV[1]) or exit 2;
    my ($x, $y) = (<$a>, <$b>);
    exit(index($x, $y) >= 0 ? 0 : 1)' "$1" "$2"
}

cd "$work" || exit 1
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
  -subj "/CN=Cirvane IV test signer" >/dev/null 2>&1
echo "not so secret" >pass.txt
openssl pkcs12 -export -in cert.pem -inkey key.pem -out key.p12 -passout file:pass.txt
check "openssl made a key and a certificate" test -s key.p12

finish unsigned
check "without a key the installer is left as built" cmp -s "$installer" unsigned.exe
check "the summary says it is not signed" grep -qx 'signed: *no' unsigned.log

finish signed SIGN_CERT=cert.pem SIGN_KEY=key.pem
check "signing with PEM files succeeds" test -s signed.exe
cat signed.log
check "the summary says it is signed" grep -q '^signed: *yes' signed.log
osslsigncode verify -CAfile cert.pem -in signed.exe >verify.log 2>&1
check "osslsigncode verify passes" grep -qx 'Succeeded' verify.log
check "the digest is SHA-256" grep -q 'Message digest algorithm *: *SHA256' verify.log
check "the description is \"$signed_description\"" \
  grep -q "Text description: $signed_description\$" verify.log
check "the payload is inside the signed installer" \
  contains_bytes signed.exe "$payload_dir/payload.bin"
check "nothing but the checksum and the certificate entry of the header changed" same_text \
  "$(comm -23 <(differing_offsets unsigned.exe signed.exe | sort) \
    <(signature_fields signed.exe | sort))" ""

sleep 1 # a second later: a signing time taken from the clock would now differ
finish again SIGN_CERT=cert.pem SIGN_KEY=key.pem
check "the same key and SOURCE_DATE_EPOCH give the same bytes" cmp -s signed.exe again.exe
finish pkcs12 SIGN_PKCS12=key.p12 SIGN_PASS_FILE=pass.txt
check "a PKCS#12 file of the same key gives the same bytes" cmp -s signed.exe pkcs12.exe

check "a certificate without its key is refused" \
  test "$(finish nokey SIGN_CERT=cert.pem; echo $?)" -ne 0
check "and nothing is written" test ! -e nokey.exe

mkdir -p "$(dirname "$signed_out")"
cp signed.exe "$signed_out"
report_checks signing
