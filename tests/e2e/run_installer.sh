#!/usr/bin/env bash
# `make run`: the installer under Wine.
#
#   tests/e2e/run_installer.sh INSTALLER DRIVER PICTURES_DIR PREFIX
#
# With a usable display ($DISPLAY answers), starts INSTALLER there in the Wine prefix PREFIX
# (booted on first use and kept, so a second run finds the first installation), and the user
# installs as on Windows. Without one, goes through a whole installation on a virtual display in
# a throwaway prefix with the driver DRIVER: Accept, the folder browser opened and cancelled, the
# default directory (fresh in a new prefix), Install Now, every box answered; then starts the
# installer once more to show the overwrite question, cancels it and closes. Prints every status
# text and box as it goes, then what was installed, and leaves a picture of each dialog and box
# in PICTURES_DIR.
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 INSTALLER DRIVER PICTURES_DIR PREFIX" >&2
  exit 2
fi
installer=$(realpath "$1")
driver=$(realpath "$2")
pictures=$3
run_prefix=$(realpath -m "$4")

here=$(dirname "$(realpath "$0")")
# shellcheck source=tests/e2e/wine_session.sh
source "$here/wine_session.sh"

readonly default_dir='C:\Program Files\VRO\CirvaneIV'
readonly uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Cirvane IV'

display_usable() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

run_on_display() {
  e2e_begin
  if [ ! -e "$run_prefix/system.reg" ]; then
    echo "make run: preparing the Wine prefix $run_prefix (once, about 10 s)"
    mkdir -p "$(dirname "$run_prefix")"
    e2e_boot_prefix "$run_prefix" window
  fi
  e2e_prefixes=() # the user's prefix outlives this script
  echo "make run: starting $installer on $DISPLAY"
  e2e_in_prefix "$run_prefix" wine "$installer"
}

# What the installation left: its files, uninstall entry, shortcuts and the simulator's start.
describe_installation() {
  local prefix=$1 dir count
  dir=$(e2e_linux_path "$prefix" "$default_dir")
  count=$(find "$dir" -type f | wc -l)
  echo "== what was installed"
  echo "files: $count in $default_dir (the product, uninstall.info, qsim3-launch.txt)"
  local name line="uninstall entry:"
  for name in DisplayName UninstallString DisplayVersion Publisher DisplayIcon InstallLocation \
    EstimatedSize NoModify NoRepair; do
    line+=" $name=$(e2e_registry_value "$prefix/system.reg" "$uninstall_key" "$name")"
  done
  echo "$line"
  local link
  while IFS= read -r line; do
    link=${line#Link:}
    link=${link%$'\r'}
    if [ -s "$(e2e_linux_path "$prefix" "$link")" ]; then
      echo "shortcut: $link"
    else
      echo "shortcut missing: $link"
    fi
  done <"$dir/uninstall.info"
  echo "simulator started: $(tr -d '\r' <"$dir/qsim3-launch.txt" | tr '\t' ' ')"
}

run_headless() {
  e2e_begin
  mkdir -p "$pictures"
  rm -f "$pictures"/*.png
  local pictures_path prefix=$e2e_work/prefix
  pictures_path=$(e2e_windows_path "$pictures")
  e2e_start_display
  echo "make run: no display; installing on a virtual one ($DISPLAY)"
  e2e_boot_prefix "$prefix"
  echo "== a first installation"
  e2e_drive "$prefix" "$driver" --pictures "$pictures_path" "$(e2e_windows_path "$installer")" \
    accept browse-cancel install exit=0
  describe_installation "$prefix"
  echo "== the installer once more: the overwrite question, cancelled"
  e2e_drive "$prefix" "$driver" --pictures "$pictures_path" "$(e2e_windows_path "$installer")" \
    accept install keep cancel exit=0
  e2e_pictures_to_png "$pictures"
  echo "== pictures"
  ls -1 "$pictures"/*.png
}

if display_usable; then
  run_on_display
else
  run_headless
fi
