#!/usr/bin/env bash
# Checks that the build is reproducible: payloadgen twice on the same tree gives byte-identical
# outputs, and a second Windows build in another directory gives byte-identical programs.
#   check-reproducible.sh PRODUCT READONLY   (run from the repository root after `make windows`)
set -euo pipefail
product=$(realpath "$1")
readonly_list=$(realpath "$2")
native=out/native
win=out/windows
again=out/repro

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for run in 1 2; do
  "$native/bin/payloadgen" --tree "$product" --readonly "$readonly_list" --out "$scratch/$run"
done
cmp "$scratch/1/payload_table.cpp" "$scratch/2/payload_table.cpp"
cmp "$scratch/1/payload.bin" "$scratch/2/payload.bin"
echo "payloadgen: two runs gave identical outputs"

cmake -S . -B "$again" -G Ninja -DCIRVANE_WERROR=ON -DCIRVANE_PRODUCT="$product" \
  -DCIRVANE_READONLY="$readonly_list" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" \
  -DCIRVANE_HOST_TOOLS="$PWD/$native/bin" >/dev/null
cmake --build "$again" --target CirvaneIVSetup install_demo cirvane_tests qsim_stub >/dev/null
for program in CirvaneIVSetup.exe install_demo.exe cirvane_tests.exe qsim_stub.exe; do
  cmp "$win/bin/$program" "$again/bin/$program"
done
echo "windows: a second build in $again gave identical programs"
