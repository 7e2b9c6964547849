#!/usr/bin/env bash
# Signs a Windows program with Authenticode (SHA-256 digest, description "Cirvane IV Setup")
# through osslsigncode:
#
#   sign-installer.sh IN OUT
#
# The key and certificate come from the environment, as `make installer` passes them:
#   SIGN_CERT + SIGN_KEY        the certificate (chain) and the private key, PEM or DER files
#   SIGN_PKCS12                 or one PKCS#12 file holding both
#   SIGN_PASS_FILE              the password of the key or the PKCS#12 file, on its first line
#   SIGN_TIMESTAMP_URL          an RFC 3161 time-stamping server to countersign the signature
#   SOURCE_DATE_EPOCH           the signing time, in seconds since 1970 (default: now)
#
# OUT is written only when signing succeeded. With the same key, IN and SOURCE_DATE_EPOCH and no
# time-stamping server, two runs give the same bytes: RSA signatures of the same digest are
# equal, and the signing time is the only other input that changes between runs.
set -euo pipefail

readonly description="Cirvane IV Setup"
readonly digest=sha256

fail() {
  echo "sign-installer: $*" >&2
  exit 1
}

[ $# -eq 2 ] || fail "usage: $0 IN OUT"
in=$1
out=$2
[ -f "$in" ] || fail "$in: no such file"
command -v osslsigncode >/dev/null ||
  fail "osslsigncode is missing (scripts/install-deps.sh installs it)"

key_args=()
if [ -n "${SIGN_PKCS12:-}" ]; then
  [ -z "${SIGN_CERT:-}${SIGN_KEY:-}" ] ||
    fail "give SIGN_PKCS12 or SIGN_CERT with SIGN_KEY, not both"
  [ -f "$SIGN_PKCS12" ] || fail "SIGN_PKCS12=$SIGN_PKCS12: no such file"
  key_args=(-pkcs12 "$SIGN_PKCS12")
elif [ -n "${SIGN_CERT:-}" ] && [ -n "${SIGN_KEY:-}" ]; then
  [ -f "$SIGN_CERT" ] || fail "SIGN_CERT=$SIGN_CERT: no such file"
  [ -f "$SIGN_KEY" ] || fail "SIGN_KEY=$SIGN_KEY: no such file"
  key_args=(-certs "$SIGN_CERT" -key "$SIGN_KEY")
else
  fail "set SIGN_CERT and SIGN_KEY, or SIGN_PKCS12"
fi
if [ -n "${SIGN_PASS_FILE:-}" ]; then
  [ -f "$SIGN_PASS_FILE" ] || fail "SIGN_PASS_FILE=$SIGN_PASS_FILE: no such file"
  # Read from the file, so the password never shows in the process list.
  key_args+=(-readpass "$SIGN_PASS_FILE")
fi

time_args=()
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  [[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] ||
    fail "SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH is no number of seconds"
  time_args=(-time "$SOURCE_DATE_EPOCH")
fi
if [ -n "${SIGN_TIMESTAMP_URL:-}" ]; then
  time_args+=(-ts "$SIGN_TIMESTAMP_URL")
fi

partial="$out.signing"
rm -f "$partial"
trap 'rm -f "$partial"' EXIT
if ! osslsigncode sign "${key_args[@]}" -h "$digest" -n "$description" "${time_args[@]}" \
  -in "$in" -out "$partial" >"$partial.log" 2>&1; then
  cat "$partial.log" >&2
  rm -f "$partial.log"
  fail "osslsigncode could not sign $in"
fi
rm -f "$partial.log"
mv -f "$partial" "$out"
