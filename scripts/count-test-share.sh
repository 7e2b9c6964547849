#!/usr/bin/env bash
# Prints one line: the non-blank lines of the C and C++ sources that exist only for testing, those
# of all the others, and the test code's share of the whole.
# Test code: *_test.cpp, *_test.h, *_test_support.h and *_test_support.cpp, fuzz programs
# (*_fuzz.cpp and fuzz/), the stand-ins under platform/fake/, fixtures (testdata/) and tests/.
# Benchmarks, tools and the programs that take screenshots count as other code.
#   count-test-share.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

is_test_code() {
  case $1 in
    *_test.cpp | *_test.h | *_test_support.h | *_test_support.cpp | *_fuzz.cpp) return 0 ;;
    fuzz/* | tests/* | platform/fake/* | */testdata/*) return 0 ;;
  esac
  return 1
}

test_lines=0
other_lines=0
while IFS= read -r file; do
  lines=$(grep -c -v '^[[:space:]]*$' "$file" || true)
  if is_test_code "$file"; then
    test_lines=$((test_lines + lines))
  else
    other_lines=$((other_lines + lines))
  fi
done < <(git ls-files '*.cpp' '*.cc' '*.c' '*.h' '*.hpp' '*.h.in')

total=$((test_lines + other_lines))
share_tenths=$(((test_lines * 1000 + total / 2) / total))
printf 'test code: %d lines, other code: %d lines, test share %d.%d%%\n' \
  "$test_lines" "$other_lines" $((share_tenths / 10)) $((share_tenths % 10))
