#!/usr/bin/env bash
# Runs the read-only tests of the Windows test program once more as a plain user under Wine.
# As root, Wine writes read-only files anyway; as a plain user it refuses to, as Windows does,
# so the paths that clear the attribute and write again run against the real Win32 file layer.
# The test program is told so (CIRVANE_SYSTEM_REFUSES_READ_ONLY_WRITES) and leaves that refusal
# to the system. (Wine lets a plain user replace or delete a read-only file, which Windows
# refuses; the test program keeps refusing those itself.)
# Usage: read_only_as_plain_user.sh TEST_PROGRAM
set -euo pipefail
program=$1
filter='*ReadOnly*'
plain_user=${CIRVANE_PLAIN_USER:-65534}  # nobody

work=$(mktemp -d /tmp/cirvane-plain-user.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/cirvane_tests.exe"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R "$plain_user:$plain_user" "$work"
  as_user=(setpriv "--reuid=$plain_user" "--regid=$plain_user" --clear-groups)
fi
cd "$work"
as_plain_user() {
  "${as_user[@]}" env -i PATH="$PATH" HOME="$work" WINEPREFIX="$work/prefix" WINEDEBUG=-all \
    WINEDLLOVERRIDES=mscoree,mshtml= CIRVANE_SYSTEM_REFUSES_READ_ONLY_WRITES=1 "$@"
}
# The merge's temporary files go to the root of the current drive, so the tests run from the
# prefix's drive C, which the plain user owns (Windows lets only administrators, which the
# installer asks to run as, write there).
as_plain_user wineboot -i
cd "$work/prefix/drive_c"
status=0
as_plain_user wine "$work/cirvane_tests.exe" --gtest_filter="$filter" --gtest_brief=1 || status=$?
as_plain_user wineserver -w
exit $status
