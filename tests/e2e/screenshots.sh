#!/usr/bin/env bash
# Photographs the installer's dialogs under Wine on a virtual X display: one PNG per situation
# that dialog_demo knows, cut to the dialogs on screen.
#
#   tests/e2e/screenshots.sh DIALOG_DEMO_EXE OUTPUT_DIR
#
# Needs Xvfb, Wine, Wine's fonts and ImageMagick (scripts/install-deps.sh installs them). Runs in
# a throwaway 32-bit Wine prefix unless WINEPREFIX names one. Wine's own desktop window draws the
# captions, so the pictures show the dialogs with their title bars as Windows draws them.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 DIALOG_DEMO_EXE OUTPUT_DIR" >&2
  exit 2
fi
demo=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")

readonly situations=(fresh accepted installing overwrite quit success nodirectory)
readonly width=800 height=600
readonly ready_tries=300 # 0.2 s each

work=$(mktemp -d)
xvfb_pid=""
own_prefix=""
cleanup() {
  if [ -n "$own_prefix" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# ImageMagick's own screen grabber, whatever else is called import on the PATH. It reads what the
# screen shows; xwd misses windows that Wine draws with another visual.
grab=$(command -v import-im6.q16 || echo /usr/bin/import)

Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$work/prefix" WINEARCH=win32
  own_prefix=1
  wineboot -i >/dev/null 2>&1
  # Wine's own fonts (the caption buttons' symbols, the dialog font), where this Wine finds them.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

for situation in "${situations[@]}"; do
  : >"$work/said"
  wine explorer "/desktop=screens,${width}x${height}" "$demo" "$situation" >"$work/said" 2>/dev/null &
  pid=$!
  tries=0
  until grep -q ready "$work/said"; do
    tries=$((tries + 1))
    if [ $tries -gt $ready_tries ] || ! kill -0 $pid 2>/dev/null; then
      echo "screenshots: dialog_demo $situation never showed its dialogs" >&2
      exit 1
    fi
    sleep 0.2
  done
  "$grab" -window root -trim +repage "$out/$situation.png"
  wait $pid || true
  echo "$out/$situation.png"
done
