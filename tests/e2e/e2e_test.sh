#!/usr/bin/env bash
# End-to-end test of the Windows installer under Wine, on a virtual display:
#
#   tests/e2e/e2e_test.sh INSTALLER DRIVER PRODUCT READONLY CMPDB [SIGNED]
#
# INSTALLER is CirvaneIVSetup.exe built from the product tree PRODUCT with the read-only list
# READONLY, DRIVER the e2e_driver.exe of the same build, CMPDB the native cmpdb, SIGNED the same
# installer signed (tests/e2e/signing_test.sh). One 32-bit prefix is booted, and three runs
# follow, each in a copy of the prefix the one before left:
#
#   fresh   a first installation into C:\CirvaneIV (a directory without blanks, so the launch's
#           quotes are the installer's own), after a directory that cannot be created; by SIGNED
#           when it is given
#   update  Update over databases the user has edited (a model and a record of their own), and
#           one database the user does not have
#   keep    the overwrite question cancelled, then the installer closed: nothing changes
#
# The driver presses the buttons; the checks read the prefix from the Linux side. Prints each
# failed check and ends with a count; exit status 0 when every check passed.
set -uo pipefail

if [ $# -ne 5 ] && [ $# -ne 6 ]; then
  echo "usage: $0 INSTALLER DRIVER PRODUCT READONLY CMPDB [SIGNED]" >&2
  exit 2
fi
for input in "$1" "$2" "$5" "${6:-$1}"; do
  if [ ! -f "$input" ]; then
    echo "e2e: $input is missing; build it first" >&2
    exit 2
  fi
done
installer=$(realpath "$1")
driver=$(realpath "$2")
product=$(realpath "$3")
readonly_list=$(realpath "$4")
cmpdb=$(realpath "$5")
fresh_installer=$(realpath "${6:-$1}")

here=$(dirname "$(realpath "$0")")
# shellcheck source=tests/e2e/wine_session.sh
source "$here/wine_session.sh"
# shellcheck source=tests/e2e/checks.sh
source "$here/checks.sh"

readonly install_dir='C:\CirvaneIV'
readonly app_caption=CirvaneIVSetup
readonly success_text='Cirvane IV has been successfully installed'
readonly bad_dir='Q:\nowhere\CirvaneIV'
readonly bad_dir_text="Could not create directory \"$bad_dir\"\\nPlease choose another location"
readonly uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Cirvane IV'
readonly shell_folders='Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
readonly databases=(bjt dio jft mos cap res ind bead)

declare -A kind_of=([bjt]=model [dio]=model [jft]=model [mos]=model
  [cap]=cap [res]=res [ind]=ind [bead]=bead)

# Runs the driver on the installer $2 with the steps $3... in prefix $1, its output kept in
# $e2e_work/$name.log.
run_driver() {
  local prefix=$1 program=$2 name
  name=$(basename "$prefix")
  shift 2
  echo "== $name: $program"
  e2e_drive "$prefix" "$driver" "$(e2e_windows_path "$program")" "$@" \
    | tee "$e2e_work/$name.log"
  local status=${PIPESTATUS[0]}
  check "$name: the driver's steps pass" test "$status" -eq 0
}

# The message boxes a run's log shows, one per line.
boxes_of() { grep '^box: ' "$e2e_work/$1.log"; }

installed() { e2e_linux_path "$1" "$install_dir"; }

# --- fresh ---------------------------------------------------------------------------------

run_fresh() {
  local prefix=$1 dir
  dir=$(installed "$prefix")
  echo '[Options]' >"$prefix/drive_c/windows/qsim3.ini"
  run_driver "$prefix" "$fresh_installer" states=0000111 type-licence=xyz accept browse-cancel \
    "dir=$bad_dir" install "box=$bad_dir_text" states=1111111 \
    "dir=$install_dir" install states=0000001 "box=$success_text" exit=0

  local log=$e2e_work/fresh.log
  check "fresh: the heading names the version" grep -q '^main: heading "Installs Cirvane IV Version ' "$log"
  check "fresh: the default directory" grep -qxF 'main: directory "C:\Program Files\VRO\CirvaneIV"' "$log"
  check "fresh: the licence, 47 lines" grep -qx 'main: licence 2556 bytes in 47 lines' "$log"
  check "fresh: exactly the two boxes, in order" same_text "$(boxes_of fresh)" \
    "box: [Directory Not Found] $bad_dir_text
box: [$app_caption] $success_text"

  check_product_installed fresh "$dir"
  check "fresh: nothing else in the directory" same_text "$(extra_files "$dir")" \
    "qsim3-launch.txt
uninstall.info"
  check_read_only fresh "$dir"
  check_shortcuts "$prefix"
  check "fresh: the uninstall entry's name" same_text \
    "$(e2e_registry_value "$prefix/system.reg" "$uninstall_key" DisplayName)" '"Cirvane IV"'
  check "fresh: the uninstall command, quoted" same_text \
    "$(e2e_registry_value "$prefix/system.reg" "$uninstall_key" UninstallString)" \
    '"\"C:\\CirvaneIV\\qsim3.exe\" -uninstall"'
  check_uninstall_details "$prefix" "$log"
  check "fresh: the ini file deleted" test ! -e "$prefix/drive_c/windows/qsim3.ini"
  check "fresh: the simulator started once, quoted, in the installation directory" \
    same_printed "$dir/qsim3-launch.txt" 'command="%s"\tdirectory=%s\r\n' \
      'C:\CirvaneIV\qsim3.exe' 'C:\CirvaneIV'
}

# What Add/Remove Programs shows besides the name: the version of the heading, the publisher, the
# simulator's icon, the directory, the product's size in KB rounded up, and no modify or repair.
check_uninstall_details() {
  local prefix=$1 log=$2 version bytes name expected
  version=$(sed -n 's/^main: heading "Installs Cirvane IV \(.*\)"$/\1/p' "$log")
  bytes=$(find "$product" -type f -printf '%s\n' | awk '{ sum += $1 } END { print sum + 0 }')
  local -A expected_of=(
    [DisplayVersion]="\"$version\""
    [Publisher]='"Veltro Corporation"'
    [DisplayIcon]='"C:\\CirvaneIV\\qsim3.exe,0"'
    [InstallLocation]='"C:\\CirvaneIV"'
    [EstimatedSize]=$(printf 'dword:%08x' $(((bytes + 1023) / 1024)))
    [NoModify]=dword:00000001
    [NoRepair]=dword:00000001
  )
  for name in "${!expected_of[@]}"; do
    expected=${expected_of[$name]}
    check "fresh: the uninstall entry's $name" same_text \
      "$(e2e_registry_value "$prefix/system.reg" "$uninstall_key" "$name")" "$expected"
  done
}

# Both shortcuts where the shell folders say, pointing at the simulator, and the uninstall log
# naming them, Start menu first, with CR LF line ends.
check_shortcuts() {
  local prefix=$1 desktop start_menu
  desktop=$(e2e_registry_value "$prefix/user.reg" "$shell_folders" Desktop)
  start_menu=$(e2e_registry_value "$prefix/user.reg" "$shell_folders" 'Start Menu')
  desktop=$(unquote_registry "$desktop")'\Cirvane IV.lnk'
  start_menu=$(unquote_registry "$start_menu")'\Cirvane IV.lnk'
  check "fresh: the uninstall log names both shortcuts" \
    same_printed "$(installed "$prefix")/uninstall.info" 'Link:%s\r\nLink:%s\r\n' \
      "$start_menu" "$desktop"
  local link
  for link in "$desktop" "$start_menu"; do
    link=$(e2e_linux_path "$prefix" "$link")
    check "fresh: $(basename "$(dirname "$link")")/Cirvane IV.lnk is a shell link" \
      is_shell_link "$link"
    check "fresh: it points at the simulator" grep -qxF 'C:\CirvaneIV\qsim3.exe' \
      <(strings -a "$link")
    check "fresh: it starts in the installation directory" grep -qxF 'C:\CirvaneIV' \
      <(strings -a -el "$link")
    check "fresh: it carries the description" grep -qF "Veltro Corporation's Cirvane IV" \
      <(strings -a -el "$link")
  done
}

# --- update --------------------------------------------------------------------------------

# The user's edits: a model of their own in the transistor library, a record of their own in
# the capacitor archive, and no resistor archive at all. Each edited database is kept in
# $e2e_work/user/ as the user left it.
edit_databases() {
  local cmp=$1
  mkdir -p "$e2e_work/user"
  printf '.model WBQ9001 NPN(IS=12f BF=321 VAF=77 mfg=Workbench)\r\n' >>"$cmp/standard.bjt"
  "$cmpdb" dump "$cmp/standard.cap" >"$e2e_work/user/cap.tsv"
  printf 'Workbench\tWB-C-0001\tX7R\t4.7e-09\t50\t0\t0.01\t0\n' >>"$e2e_work/user/cap.tsv"
  "$cmpdb" build cap "$e2e_work/user/cap.tsv" "$cmp/standard.cap"
  rm -f "$cmp/standard.res"
  local db
  for db in "${databases[@]}"; do
    if [ -e "$cmp/standard.$db" ]; then cp "$cmp/standard.$db" "$e2e_work/user/standard.$db"; fi
  done
}

# What the installer's merge gives for database $1, made by cmpdb from the shipped file and the
# user's copy, into $e2e_work/expected/ (with its .bak).
expected_merge() {
  local db=$1 out=$e2e_work/expected/standard.$1
  mkdir -p "$e2e_work/expected"
  cp "$e2e_work/user/standard.$db" "$out"
  "$cmpdb" merge "${kind_of[$db]}" "$out" "$product/lib/cmp/standard.$db" "$out" >/dev/null
}

run_update() {
  local prefix=$1 dir cmp
  dir=$(installed "$prefix")
  cmp=$dir/lib/cmp
  edit_databases "$cmp"
  echo '[Options]' >"$prefix/drive_c/windows/qsim3.ini"
  run_driver "$prefix" "$installer" accept "dir=$install_dir" install states=0000000 update \
    states=0000001 \
    "box=$success_text" exit=0

  check "update: the success box alone" same_text "$(boxes_of update)" \
    "box: [$app_caption] $success_text"
  local db
  for db in "${databases[@]}"; do
    if [ "$db" = res ]; then continue; fi
    expected_merge "$db"
    check "update: standard.$db is the merge of the shipped file into the user's" \
      cmp -s "$e2e_work/expected/standard.$db" "$cmp/standard.$db"
    check "update: standard.$db.bak is the user's file" \
      cmp -s "$e2e_work/user/standard.$db" "$cmp/standard.$db.bak"
  done
  check "update: the user's own model kept" grep -q '^WBQ9001	' <("$cmpdb" dump "$cmp/standard.bjt")
  check "update: the shipped models kept" grep -qxF -f <("$cmpdb" dump "$product/lib/cmp/standard.bjt" | cut -f1) \
    <("$cmpdb" dump "$cmp/standard.bjt" | cut -f1)
  check "update: the user's own record kept" grep -q '^Workbench	WB-C-0001	' \
    <("$cmpdb" dump "$cmp/standard.cap")
  check "update: the database the user lacked is installed as shipped, without a backup" \
    cmp -s "$product/lib/cmp/standard.res" "$cmp/standard.res"
  check "update: no backup of it" test ! -e "$cmp/standard.res.bak"
  check_product_installed update "$dir" '^lib/cmp/standard\.'
  check_read_only update "$dir"
  check "update: the ini file kept" test -e "$prefix/drive_c/windows/qsim3.ini"
  check "update: the simulator started again" test "$(wc -l <"$dir/qsim3-launch.txt")" -eq 2
}

# --- keep ----------------------------------------------------------------------------------

run_keep() {
  local prefix=$1 before after
  before=$(snapshot "$prefix")
  run_driver "$prefix" "$installer" accept "dir=$install_dir" install states=0000000 keep \
    states=1111111 \
    cancel exit=0
  after=$(snapshot "$prefix")
  check "keep: no box" test -z "$(boxes_of keep)"
  check "keep: the directory, shortcuts, ini file and uninstall entry unchanged" \
    same_text "$after" "$before"
}

# Every file of the installation, the shortcuts and the ini file with their modes and checksums,
# and the uninstall entry.
snapshot() {
  local prefix=$1
  (cd "$prefix/drive_c" && find CirvaneIV users windows/qsim3.ini -type f \
    \( -path 'CirvaneIV/*' -o -name 'Cirvane IV.lnk' -o -name qsim3.ini \) \
    -printf '%m %p\n' | sort)
  (cd "$prefix/drive_c" && find CirvaneIV -type f -print0 | sort -z | xargs -0 sha256sum)
  e2e_registry_value "$prefix/system.reg" "$uninstall_key" UninstallString
}

# --- the runs ------------------------------------------------------------------------------

started=$SECONDS
e2e_begin
e2e_start_display || exit 1
echo "== booting a 32-bit Wine prefix"
e2e_boot_prefix "$e2e_work/base"

e2e_copy_prefix "$e2e_work/base" "$e2e_work/fresh"
run_fresh "$e2e_work/fresh"
e2e_copy_prefix "$e2e_work/fresh" "$e2e_work/update"
run_update "$e2e_work/update"
e2e_copy_prefix "$e2e_work/update" "$e2e_work/keep"
echo '[Options]' >"$e2e_work/keep/drive_c/windows/qsim3.ini"
run_keep "$e2e_work/keep"

echo "end-to-end: $((SECONDS - started)) s"
report_checks end-to-end
