#!/bin/sh
# Takes the pictures of docs/pictures: links dialogs.kil onto the runtime,
# runs it under Wine on a private Xvfb screen, and for each window it
# shows waits for the window (kspy wait), dumps the screen (xwd), converts
# the dump to a PNG cut to the window (xwd_to_png.py) and closes the window.
# A bare Xvfb has no window manager, so the pictures show the windows'
# client areas without title bars and frames.
#
#   docs/pictures/take-pictures.sh [BUILD_DIR [KLINK]]
#
# BUILD_DIR is the win32 build (default build/win32, holding kestrel.exe and
# kspy.exe); KLINK the linker to use (default build/native/klink, else
# klink.exe of the build through wine). Needs Xvfb, wine, xwd (Debian
# package x11-apps) and python3. The PNGs are written beside this script.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build/win32}" && pwd)
klink=${2:-build/native/klink}
work=$(mktemp -d)
xvfb_pid=
program_pid=

cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='

# A screen of our own: Xvfb writes the display number it took to fd 3.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

wineboot -i >/dev/null 2>&1
if [ -x "$klink" ]; then
  "$klink" -r "$build/kestrel.exe" "$here/dialogs.kil" -o "$work/dialogs.exe"
else
  wine "$build/klink.exe" -r "$build/kestrel.exe" "$here/dialogs.kil" -o "$work/dialogs.exe"
fi
kspy() { wine "$build/kspy.exe" "$@" | tr -d '\r'; }

(cd "$work" && exec wine "$work/dialogs.exe") &
program_pid=$!

# picture TITLE NAME: waits for the window TITLE and saves NAME.png.
picture() {
  hwnd=$(kspy wait --title "$1" --timeout 60000 --exe dialogs.exe)
  # The window exists; give it the moment it needs to paint its controls.
  sleep 1
  xwd -root -silent > "$work/screen.xwd"
  python3 "$here/xwd_to_png.py" "$work/screen.xwd" "$here/$2.png"
  echo "$here/$2.png"
}

picture "Kestrel Echo" message-box;        kspy box --press OK --exe dialogs.exe >/dev/null
picture "Kestrel Confirmation" yes-no;     kspy box --press Yes --exe dialogs.exe >/dev/null
picture "Input box" input-box;             kspy close "$hwnd"
picture "Password box" password-box;       kspy close "$hwnd"
picture "Edit box" edit-box;               kspy close "$hwnd"
picture "List" list-selection;             kspy close "$hwnd"
picture "Designed dialog" designed-dialog; kspy close "$hwnd"
wait "$program_pid" || true
program_pid=
