#!/usr/bin/env bash
# Installs the demo payload onto a small file system that fills up on the way, for real: the
# installation must end with the worker's message and exit status 1. Skipped (status 77) where
# this machine cannot mount one.
#   full_disk_test.sh INSTALL_DEMO
set -u
demo=$1
skip=77
fs_size=64k

if [ "$(id -u)" -ne 0 ]; then echo "skipped: mounting a small file system needs root"; exit $skip; fi
mnt=$(mktemp -d)
if ! mount -t tmpfs -o size=$fs_size tmpfs "$mnt" 2>/dev/null; then
  rmdir "$mnt"
  echo "skipped: this machine does not allow mounting a tmpfs"
  exit $skip
fi
trap 'umount "$mnt"; rmdir "$mnt"' EXIT

TMP="$mnt" "$demo" "$mnt/Cirvane IV" >/dev/null 2>"$mnt.err"
status=$?
err=$(cat "$mnt.err"); rm -f "$mnt.err"
if [ $status -ne 1 ]; then echo "expected exit status 1, got $status; stderr: $err"; exit 1; fi
case "$err" in
  *"Trouble writing"*) echo "full disk reported: ${err//$'\n'/ | }"; exit 0 ;;
  *) echo "expected a 'Trouble writing' message, got: $err"; exit 1 ;;
esac
