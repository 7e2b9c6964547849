#!/usr/bin/env bash
# Photographs the installer's dialog templates under Wine on a virtual X display: one PNG per
# situation that dialog_demo knows, cut to the dialogs on screen, and the main dialog once more at
# 144 DPI. `make run` photographs the installer itself; this shows situations a run passes too
# quickly to catch (the quit question, the status line while installing).
#
#   tests/e2e/screenshots.sh DIALOG_DEMO_EXE OUTPUT_DIR
#
# Needs Xvfb, Wine, Wine's fonts and ImageMagick (scripts/install-deps.sh installs them).
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 DIALOG_DEMO_EXE OUTPUT_DIR" >&2
  exit 2
fi
demo=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")

here=$(dirname "$(realpath "$0")")
# shellcheck source=tests/e2e/wine_session.sh
source "$here/wine_session.sh"

readonly situations=(fresh accepted installing overwrite quit success nodirectory)
# The main dialog once more on a screen of 144 DPI (150 %), where the system lays the templates
# out in a larger dialog font; every other picture is at 96 DPI (100 %).
readonly high_dpi=144
readonly high_dpi_situations=(accepted)
readonly ready_tries=300 # 0.2 s each

# ImageMagick's own screen grabber, whatever else is called import on the PATH. It reads what the
# screen shows; xwd misses windows that Wine draws with another visual.
grab=$(command -v import-im6.q16 || echo /usr/bin/import)

e2e_begin
e2e_start_display
prefix=$e2e_work/prefix
e2e_boot_prefix "$prefix"

# photograph SITUATION PICTURE: dialog_demo in SITUATION, the screen saved as PICTURE.
photograph() {
  local situation=$1 picture=$2 pid tries=0
  : >"$e2e_work/said"
  e2e_in_prefix "$prefix" wine "$demo" "$situation" >"$e2e_work/said" 2>/dev/null &
  pid=$!
  until grep -q ready "$e2e_work/said"; do
    tries=$((tries + 1))
    if [ $tries -gt $ready_tries ] || ! kill -0 $pid 2>/dev/null; then
      echo "screenshots: dialog_demo $situation never showed its dialogs" >&2
      exit 1
    fi
    sleep 0.2
  done
  "$grab" -window root -trim +repage "$picture"
  wait $pid || true
  echo "$picture"
}

for situation in "${situations[@]}"; do
  photograph "$situation" "$out/$situation.png"
done

e2e_set_dpi "$prefix" "$high_dpi"
for situation in "${high_dpi_situations[@]}"; do
  photograph "$situation" "$out/$situation-${high_dpi}dpi.png"
done
