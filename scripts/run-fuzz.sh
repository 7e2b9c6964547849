#!/bin/bash
# Runs every fuzz program in a build's bin/ for a bounded time each.
# Usage: run-fuzz.sh BIN_DIR SECONDS
# Each program keeps its corpus in BIN_DIR/../corpus/<name>; a <name>.seeds file beside the
# program names a directory of starting inputs. A crash, a leak, a time-out or an allocation
# over the limit fails the run.
set -euo pipefail
bin_dir=$1
seconds=$2
found=0
for program in "$bin_dir"/fuzz_*; do
  [[ -x $program && ! -d $program && $program != *.seeds ]] || continue
  found=1
  name=$(basename "$program")
  corpus="$bin_dir/../corpus/$name"
  mkdir -p "$corpus"
  dirs=("$corpus")
  if [[ -f $program.seeds ]]; then dirs+=("$(cat "$program.seeds")"); fi
  echo "== fuzzing $name for ${seconds}s"
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
    -print_final_stats=1 "${dirs[@]}" 2>"$bin_dir/../$name.log" ||
    { tail -n 60 "$bin_dir/../$name.log"; echo "$name failed"; exit 1; }
  grep -E '^(stat::number_of_executed_units|Done)' "$bin_dir/../$name.log" || true
done
[[ $found == 1 ]] || { echo "no fuzz programs in $bin_dir"; exit 1; }
