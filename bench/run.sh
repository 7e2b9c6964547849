#!/usr/bin/env bash
# make bench: times payloadgen and the installation of the full-scale synthetic product.
#
#   bash bench/run.sh NATIVE_BUILD_DIR [OUT_DIR]
#
# The native build provides make_fullscale and payloadgen. The full-scale tree is made in
# OUT_DIR/fullscale when it is missing or older than its generator, archived with tar for the
# baseline, and compiled into bench_install by a build of its own (OUT_DIR/bench-build), since
# the native build carries the sample product. Everything is written below OUT_DIR, so that the
# installations are measured on the disk of the build. BENCH_ROUNDS sets the rounds (default 7).
set -euo pipefail

native=$(realpath -m "${1:?usage: bash bench/run.sh NATIVE_BUILD_DIR [OUT_DIR]}")
out=$(realpath -m "${2:-$(dirname "$0")/../out}")
cd "$(dirname "$0")/.."
tree=$out/fullscale
stamp=$out/fullscale.made
tarball=$out/fullscale.tar.gz
build=$out/bench-build
scratch=$out/bench-scratch
readonly_list=$PWD/tools/sample-readonly.txt
rounds=${BENCH_ROUNDS:-7}
generator=$native/bin/make_fullscale
payloadgen=$native/payloadgen
[[ -x $payloadgen ]] || payloadgen=$native/bin/payloadgen

seconds_since() {
  awk -v start="$1" -v end="$(date +%s.%N)" 'BEGIN { printf "%.2f", end - start }'
}

make_tree() {
  if [[ -e $stamp && ! $generator -nt $stamp ]]; then return; fi
  echo "== generating the full-scale product in $tree"
  rm -f "$stamp"
  if [[ -e $tree ]]; then
    rm -rf "$tree"
    # Recorded where bench_install looks, which waits until the deletion no longer slows the
    # creation of files (bench/scratch.h).
    touch "$scratch/last-deletion"
  fi
  "$generator" --out "$tree"
  touch "$stamp"
}

# Two timed runs of payloadgen, then its summary: "N entries, P plain, G members, S bytes
# installed, T bytes stored".
time_payloadgen() {
  local dir=$scratch/payloadgen times=() start summary
  for run in 1 2; do
    rm -rf "$dir"
    start=$(date +%s.%N)
    "$payloadgen" --tree "$tree" --readonly "$readonly_list" --out "$dir" >/dev/null
    times+=("$(seconds_since "$start") s")
  done
  rm -rf "$dir"
  summary=$("$payloadgen" --list --tree "$tree" --readonly "$readonly_list" | tail -n 1)
  echo "$summary" | awk -v runs="${times[0]}, ${times[1]}" '{
    printf "payloadgen: %s entries (%s plain, %s members), %.1f MB installed, %.1f MB stored, " \
           "stored/installed %.2f; runs %s\n", $1, $3, $5, $7 / 1e6, $10 / 1e6, $10 / $7, runs }'
}

make_tarball() {
  if [[ -e $tarball && ! $stamp -nt $tarball ]]; then return; fi
  tar -czf "$tarball.part" -C "$tree" .
  mv "$tarball.part" "$tarball"
}

build_bench() {
  cmake -S . -B "$build" -G Ninja -DCIRVANE_WERROR=ON -DCIRVANE_BENCH_TREE="$tree" \
    -DCIRVANE_BENCH_READONLY="$readonly_list" >/dev/null
  cmake --build "$build" --target bench_install
}

# Each run of bench_install works in a directory of its own below runs/. Marked as a top of
# directory hierarchies, runs/ has its subdirectories spread over the disk's block groups, so
# that no run allocates its files among the inodes that another run freed.
mkdir -p "$out" "$scratch/runs"
chattr +T "$scratch/runs" 2>/dev/null || true
if [[ $(df --output=fstype "$scratch" | tail -n 1) == tmpfs ]]; then
  echo "bench: warning: $scratch is on a tmpfs; the installations will not reach a disk" >&2
fi
make_tree
time_payloadgen
make_tarball
build_bench
"$build/bin/bench_install" --tree "$tree" --tarball "$tarball" --scratch "$scratch" \
  --rounds "$rounds"
