#!/usr/bin/env bash
# The layers of the code base: each directory's sources include only their own directory and
# those below it, so that a lower layer never needs an upper one to build or to be understood.
# Tests and their support code are left out: they may drive a layer through the ones above it.
#   check-layers.sh SOURCE_DIR
set -u
root=$1
status=0

# check DIRECTORY ALLOWED...: every #include "x/..." in DIRECTORY's sources names an allowed x.
check() {
  local dir=$1
  shift
  local allowed=" $* "
  local hit file included
  while IFS= read -r hit; do
    file=${hit%%:*}
    included=${hit#*#include \"}
    included=${included%%/*}
    if [[ $allowed != *" $included "* ]]; then
      echo "${file#"$root"/} includes $included/, which $dir/ must not depend on"
      status=1
    fi
  done < <(grep -rHoE '^#include "[a-z_0-9]+/' --include='*.cpp' --include='*.h' "$root/$dir" |
           grep -vE '_test(_support)?\.(cpp|h):')
}

check platform platform
check payload payload
check engine engine payload platform
check sync sync engine payload platform
check integration integration engine payload platform

if [ $status -eq 0 ]; then echo "layers: every include goes down"; fi
exit $status
