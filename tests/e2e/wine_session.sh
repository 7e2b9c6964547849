# shellcheck shell=bash
# Shared by the end-to-end scripts (source it): a virtual X display, 32-bit Wine prefixes booted
# once and copied per run, and the helpers that run a Windows program in them and read the
# results from the Linux side.
#
# A prefix shows every program on a virtual desktop of its own (Wine's explorer draws the
# desktop and the captions, as Windows would), has winemenubuilder switched off, so nothing of
# the prefix leaks into the Linux desktop, and carries Wine's own fonts.

readonly E2E_DESKTOP_SIZE=${E2E_DESKTOP_SIZE:-800x600}
readonly E2E_WINE_OVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
readonly E2E_SERVER_SECONDS=30 # how long a prefix's programs may take to end after a run

e2e_work=""
e2e_xvfb_pid=""
e2e_prefixes=()

# Makes the session's scratch directory; everything the session makes goes below it.
e2e_begin() {
  e2e_work=$(mktemp -d "${TMPDIR:-/tmp}/cirvane-e2e.XXXXXX")
  mkdir -p "$e2e_work/home"
  trap e2e_end EXIT
}

# Ends the prefixes' programs and the display, and removes the scratch directory.
e2e_end() {
  local prefix
  for prefix in "${e2e_prefixes[@]}"; do
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  done
  if [ -n "$e2e_xvfb_pid" ]; then kill "$e2e_xvfb_pid" 2>/dev/null || true; fi
  if [ -n "$e2e_work" ]; then rm -rf "$e2e_work"; fi
}

# Starts Xvfb on a free display number and points DISPLAY at it.
e2e_start_display() {
  Xvfb -displayfd 3 -screen 0 "${E2E_DESKTOP_SIZE}x24" -nolisten tcp \
    3>"$e2e_work/display" 2>/dev/null &
  e2e_xvfb_pid=$!
  local _
  for _ in $(seq 100); do
    [ -s "$e2e_work/display" ] && break
    sleep 0.1
  done
  if [ ! -s "$e2e_work/display" ]; then
    echo "e2e: Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=":$(cat "$e2e_work/display")"
  export DISPLAY
}

# Runs a Wine command in prefix $1 with the session's environment. HOME is a scratch directory,
# so that a new prefix links none of its folders to the user's own; the X authority of the real
# HOME stays in force for a user's display.
e2e_in_prefix() {
  local prefix=$1
  shift
  # shellcheck disable=SC2097,SC2098 # the authority file is the real HOME's, on purpose
  XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}" HOME="$e2e_work/home" WINEPREFIX="$prefix" \
    WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="$E2E_WINE_OVERRIDES" "$@"
}

# Waits until every program of prefix $1 has ended and its server has written the registry.
e2e_settle() {
  if ! e2e_in_prefix "$1" timeout "$E2E_SERVER_SECONDS" wineserver -w; then
    e2e_in_prefix "$1" wineserver -k >/dev/null 2>&1 || true
  fi
}

# Boots a new 32-bit prefix at $1 (about 10 s) with Wine's fonts and, unless $2 is "window",
# the virtual desktop.
e2e_boot_prefix() {
  local prefix=$1 screen=${2:-desktop}
  e2e_prefixes+=("$prefix")
  e2e_in_prefix "$prefix" wineboot -i >/dev/null 2>&1
  if [ "$screen" != window ]; then
    e2e_in_prefix "$prefix" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
      >/dev/null 2>&1
    e2e_in_prefix "$prefix" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
      /d "$E2E_DESKTOP_SIZE" /f >/dev/null 2>&1
  fi
  # Wine's own fonts (the caption buttons' symbols, the dialog font), where this Wine finds them.
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  e2e_settle "$prefix"
}

# Sets the screen resolution of prefix $1 to $2 dots per inch (96 is 100 %), where this Wine and
# older ones look for it; programs started afterwards see it.
e2e_set_dpi() {
  local prefix=$1 dpi=$2 key
  for key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    e2e_in_prefix "$prefix" wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >/dev/null 2>&1
  done
  e2e_settle "$prefix"
}

# Copies the settled prefix $1 to $2, for a run that must not change $1.
e2e_copy_prefix() {
  cp -a "$1" "$2"
  e2e_prefixes+=("$2")
}

# The Windows path (drive Z:) of the Linux path $1.
e2e_windows_path() {
  local path
  path=$(realpath -m "$1")
  path=${path//\//\\}
  printf 'Z:%s\n' "$path"
}

# The Linux path in prefix $1 of the Windows path $2 on drive C:.
e2e_linux_path() {
  local rest=${2#[Cc]:}
  rest=${rest//\\//}
  printf '%s/drive_c%s\n' "$1" "$rest"
}

# Runs the driver $2 in prefix $1 with the remaining arguments; its output goes to standard
# output. Returns the driver's exit status once the prefix has settled.
e2e_drive() {
  local prefix=$1 driver=$2
  shift 2
  local status=0
  e2e_in_prefix "$prefix" wine "$driver" "$@" | tr -d '\r' || status=$?
  e2e_settle "$prefix"
  return $status
}

# The data of value $3 in key $2 of the registry file $1 (system.reg or user.reg), as the file
# writes it (a string stays quoted, with \\ and \" escapes). Empty when absent.
e2e_registry_value() {
  E2E_KEY="[${2//\\/\\\\}]" E2E_VALUE="\"$3\"=" awk '
    index($0, "[") == 1 { inside = index($0, ENVIRON["E2E_KEY"]) == 1; next }
    inside && index($0, ENVIRON["E2E_VALUE"]) == 1 {
      print substr($0, length(ENVIRON["E2E_VALUE"]) + 1)
      exit
    }
  ' "$1"
}

# The PNG of each BMP in directory $1, the BMPs removed.
e2e_pictures_to_png() {
  local convert bmp
  convert=$(command -v convert-im6.q16 || echo /usr/bin/convert)
  for bmp in "$1"/*.bmp; do
    [ -e "$bmp" ] || continue
    "$convert" "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
}
