#!/bin/bash
# Runs every fuzz program in a build's bin/ for a bounded time each, starting from the kept
# corpus fuzz/corpus/<name>, which it only reads: new inputs go to BIN_DIR/../corpus/<name>. A
# <name>.dict and <name>.options beside the program are its dictionary and its own flags. A
# crash, a leak, a time-out or an allocation over the limit fails the run; the input that caused
# it is left in BIN_DIR/../findings/.
# Usage: run-fuzz.sh BIN_DIR SECONDS
set -euo pipefail
bin_dir=$1
seconds=$2
kept="$(cd "$(dirname "$0")/.." && pwd)/fuzz/corpus"
source "$(dirname "$0")/fuzz-common.sh"
use_fuzz_scratch "$bin_dir/../scratch"
found=0
for program in $(fuzz_programs "$bin_dir"); do
  found=1
  name=$(basename "$program")
  corpus="$bin_dir/../corpus/$name"
  mkdir -p "$corpus" "$bin_dir/../findings"
  inputs=("$corpus")
  [[ -d $kept/$name ]] && inputs+=("$kept/$name")
  echo "== fuzzing $name for ${seconds}s"
  "$program" -max_total_time="$seconds" "${FUZZ_LIMITS[@]}" $(fuzz_program_options "$program") \
    -artifact_prefix="$bin_dir/../findings/" -print_final_stats=1 "${inputs[@]}" \
    2>"$bin_dir/../$name.log" || { tail -n 60 "$bin_dir/../$name.log"; echo "$name failed"; exit 1; }
  grep -E '^(stat::number_of_executed_units|Done|#[0-9]+[[:space:]]+INITED)' "$bin_dir/../$name.log" ||
    true
done
[[ $found == 1 ]] || { echo "no fuzz programs in $bin_dir"; exit 1; }
