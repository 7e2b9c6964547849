#!/bin/bash
# Writes starting inputs for the fuzz programs, every one made by the project's own writers:
# pieces of the sample product's model libraries (make_sample), libraries rewritten by the
# model-library merge and small component archives written by the archive writer (cmpdb merge
# and cmpdb build), and gzip members made by payloadgen. The fuzz campaign merges those that
# reach new code into the kept corpus.
# Usage: fuzz-seeds.sh NATIVE_BIN_DIR OUT_DIR   (writes OUT_DIR/<fuzz program>/)
set -euo pipefail
bin=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
work="$out/work"
mkdir -p "$work"
"$bin/make_sample" --out "$work/sample" >/dev/null
cmp="$work/sample/lib/cmp"

# $3 bytes of the file $1 from offset $2 on. (Pieces are cut so that no reader in a pipe stops
# early, which would end its writer with SIGPIPE.)
bytes_of() {
  dd if="$1" bs=1 skip="$2" count="$3" status=none
}

# The two-part input of the merge programs: the size of the user's file $1 as a u16
# (little-endian), that file, then the shipped file $2.
pack_pair() {
  local length
  length=$(stat -c %s "$1")
  printf "\\x$(printf %02x $((length & 255)))\\x$(printf %02x $((length >> 8)))"
  cat "$1" "$2"
}

# Model libraries: the start of each; for the merge, two pieces of each that share a model, and
# their merge, all within the merge program's input limit.
mkdir -p "$out/fuzz_statement_reader" "$out/fuzz_model_library_merge"
for kind in bjt dio jft mos; do
  head -n 24 "$cmp/standard.$kind" >"$out/fuzz_statement_reader/sample.$kind"
  bytes_of "$cmp/standard.$kind" 0 400 | head -n -1 >"$work/user.$kind"
  bytes_of "$cmp/standard.$kind" 250 350 | tail -n +2 | head -n -1 >"$work/shipped.$kind"
  pack_pair "$work/user.$kind" "$work/shipped.$kind" >"$out/fuzz_model_library_merge/pair.$kind"
  cp "$work/user.$kind" "$work/merged.$kind"
  "$bin/cmpdb" merge model "$work/merged.$kind" "$work/shipped.$kind" "$work/merged.$kind"
  cp "$work/merged.$kind" "$out/fuzz_statement_reader/merged.$kind"
  pack_pair "$work/shipped.$kind" "$work/merged.$kind" >"$out/fuzz_model_library_merge/merged.$kind"
done

# Component archives: a few records of each sample archive, and two overlapping pieces of each
# for the merge (its first byte picks the kind: 0 capacitors, 1 inductors, 2 resistors).
mkdir -p "$out/fuzz_component_archive" "$out/fuzz_archive_merge"
: >"$work/empty.tsv"
"$bin/cmpdb" build res "$work/empty.tsv" "$out/fuzz_component_archive/empty.res"
kind_byte=(cap:0 bead:1 ind:1 res:2)
for entry in "${kind_byte[@]}"; do
  kind=${entry%%:*}
  "$bin/cmpdb" dump "$cmp/standard.$kind" "$kind" >"$work/$kind.tsv"
  head -n 4 "$work/$kind.tsv" >"$work/user-$kind.tsv"
  sed -n 3,8p "$work/$kind.tsv" >"$work/shipped-$kind.tsv"
  "$bin/cmpdb" build "$kind" "$work/user-$kind.tsv" "$work/user.$kind"
  "$bin/cmpdb" build "$kind" "$work/shipped-$kind.tsv" "$work/shipped.$kind"
  cp "$work/shipped.$kind" "$out/fuzz_component_archive/sample.$kind"
  { printf "\\x$(printf %02x "${entry##*:}")"; pack_pair "$work/user.$kind" "$work/shipped.$kind"; } \
    >"$out/fuzz_archive_merge/pair.$kind"
done

# Gzip members: payloadgen's stored bytes of two files (larger than the 1024 bytes it stores
# plain), cut from its blob by the listed sizes; then two members in a row, a member with bytes
# after it and a member cut short.
mkdir -p "$work/tree" "$out/fuzz_gunzip"
head -c 1500 "$cmp/standard.bjt" >"$work/tree/a.bjt"
head -c 1400 "$cmp/standard.cap" >"$work/tree/b.cap"
: >"$work/readonly.txt"
"$bin/payloadgen" --tree "$work/tree" --readonly "$work/readonly.txt" --out "$work/payload"
offset=0
index=0
while IFS=$'\t' read -r _ _ _ packed; do
  bytes_of "$work/payload/payload.bin" "$offset" "$packed" >"$out/fuzz_gunzip/member$index"
  offset=$((offset + packed))
  index=$((index + 1))
done < <("$bin/payloadgen" --list --tree "$work/tree" --readonly "$work/readonly.txt" | grep -v entries)
cat "$out/fuzz_gunzip/member0" "$out/fuzz_gunzip/member1" >"$out/fuzz_gunzip/two-members"
{ cat "$out/fuzz_gunzip/member0"; printf 'trailing bytes'; } >"$out/fuzz_gunzip/trailing"
head -c -12 "$out/fuzz_gunzip/member1" >"$out/fuzz_gunzip/cut-short"

rm -rf "$work"
