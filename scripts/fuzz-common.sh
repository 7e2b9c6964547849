# What the fuzz runs share (sourced by run-fuzz.sh and fuzz-campaign.sh).

# Limits of every run: an input taking over 10 s, a process over 2 GB or one allocation over
# 1 GB is a finding.
FUZZ_LIMITS=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024)

# The fuzz programs of the bin/ directory $1, one path a line.
fuzz_programs() {
  local program
  for program in "$1"/fuzz_*; do
    [[ -x $program && -f $program ]] && echo "$program"
  done
  return 0
}

# The program $1's own libFuzzer flags: its dictionary and the options file beside it.
fuzz_program_options() {
  [[ -f $1.dict ]] && echo "-dict=$1.dict"
  [[ -f $1.options ]] && cat "$1.options"
  return 0
}

# Points TMPDIR at a new scratch directory for the programs that write files (in memory under
# /dev/shm when there is one, else below $1) and removes it when the script ends, with whatever
# a killed run left in it.
use_fuzz_scratch() {
  local parent=$1
  [[ -d /dev/shm && -w /dev/shm ]] && parent=/dev/shm
  mkdir -p "$parent"
  FUZZ_SCRATCH=$(mktemp -d "$parent/cirvane-fuzz.XXXXXX")
  export TMPDIR=$FUZZ_SCRATCH
  trap 'rm -rf "$FUZZ_SCRATCH"' EXIT
}
