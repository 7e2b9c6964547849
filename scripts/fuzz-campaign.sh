#!/bin/bash
# A deep fuzz campaign. Every fuzz program in BIN_DIR (or those named in FUZZ_TARGETS) runs on
# all cores until it has made RUNS runs (0: no such limit) or SECONDS have passed (libFuzzer's
# fork mode; crashes, time-outs and memory overruns are collected, not ended on), from the kept
# corpus fuzz/corpus/<name> and the starting inputs SEEDS_DIR/<name>. The kept corpus is then
# replaced by the smallest set of all those inputs that covers what they all covered
# (-merge=1). One line per program: runs, seconds, corpus files and bytes and coverage
# (libFuzzer's cov: edges and ft: features) before and after, findings. Findings stay in
# BIN_DIR/../campaign/<name>/findings/, and any finding makes the exit status 1.
# Usage: [FUZZ_TARGETS="fuzz_x ..."] fuzz-campaign.sh BIN_DIR SECONDS RUNS [SEEDS_DIR]
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
seconds=$2
max_runs=$3
seeds=${4:-}
root=$(cd "$(dirname "$0")/.." && pwd)
kept="$root/fuzz/corpus"
campaign="$bin_dir/../campaign"
wanted_runs=10000000
source "$root/scripts/fuzz-common.sh"
use_fuzz_scratch "$campaign"

# Sets cov, ft, files and bytes for program $1 over the corpus directory $2 (one pass, no
# mutations).
measure_corpus() {
  local line
  line=$("$1" -runs=0 "${FUZZ_LIMITS[@]}" $(fuzz_program_options "$1") "$2" 2>&1 | grep -E '^#[0-9]+[[:space:]]+INITED' | tail -n 1)
  cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$line")
  ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$line")
  files=$(find "$2" -type f | wc -l)
  bytes=$(find "$2" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
  cov=${cov:-0} ft=${ft:-0}
}

# Fuzzes program $1 into the directory $2/new, collecting findings in $2/findings.
fuzz_deeply() {
  local name inputs
  name=$(basename "$1")
  inputs=("$kept/$name")
  [[ -n $seeds && -d $seeds/$name ]] && inputs+=("$seeds/$name")
  "$1" -fork="$(nproc)" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -runs="$((max_runs > 0 ? max_runs : -1))" "${FUZZ_LIMITS[@]}" $(fuzz_program_options "$1") \
    -artifact_prefix="$2/findings/" "$2/new" "${inputs[@]}" >"$2/fuzz.log" 2>&1
}

# Replaces the kept corpus of program $1 by the minimal merge of it, $2/new and the seeds.
merge_into_kept() {
  local name inputs
  name=$(basename "$1")
  inputs=("$kept/$name" "$2/new")
  [[ -n $seeds && -d $seeds/$name ]] && inputs+=("$seeds/$name")
  mkdir -p "$2/merged"
  "$1" -merge=1 "${FUZZ_LIMITS[@]}" $(fuzz_program_options "$1") "$2/merged" "${inputs[@]}" >"$2/merge.log" 2>&1
  find "$kept/$name" -type f -delete
  cp -r "$2/merged/." "$kept/$name/"
}

total_findings=0
for program in $(fuzz_programs "$bin_dir"); do
  name=$(basename "$program")
  [[ -z ${FUZZ_TARGETS:-} || " $FUZZ_TARGETS " == *" $name "* ]] || continue
  work="$campaign/$name"
  rm -rf "$work"
  mkdir -p "$work/new" "$work/findings" "$kept/$name"
  measure_corpus "$program" "$kept/$name"
  before="$files files $bytes bytes, cov $cov ft $ft"
  started=$SECONDS
  fuzz_deeply "$program" "$work" || echo "$name: the fuzzer stopped early, see $work/fuzz.log"
  elapsed=$((SECONDS - started))
  runs=$(grep -oE '^#[0-9]+' "$work/fuzz.log" | tail -n 1 | tr -d '#')
  merge_into_kept "$program" "$work"
  measure_corpus "$program" "$kept/$name"
  findings=$(find "$work/findings" -type f | wc -l)
  total_findings=$((total_findings + findings))
  note=""
  ((${runs:-0} >= wanted_runs)) || note=" (fewer than $wanted_runs runs)"
  echo "$name: runs ${runs:-0}, $elapsed s; corpus $before -> $files files $bytes bytes," \
    "cov $cov ft $ft; findings $findings$note"
done
if ((total_findings > 0)); then
  echo "findings in $campaign/*/findings/"
  exit 1
fi
