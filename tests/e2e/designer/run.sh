#!/usr/bin/env bash
# Script dialogs under Wine. properties: every property set and read back,
# creation and release, the wait's time-out, without a user. events: the
# user played with keystrokes that the script types into its own dialog.
# styles: designer_user inspects one control of each type and plays clicks
# and the close box. Environment: see tests/support/keylog/e2e_input.sh.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../../support/keylog/e2e_input.sh"

# run_script NAME: links and runs NAME.kil, compares its output.
run_script() {
  link "$HERE/$1.kil" "$WORK_DIR/$1.exe" || { fail "$1: link"; return; }
  "$WINE" "$WORK_DIR/$1.exe" >"$WORK_DIR/$1.txt" 2>/dev/null
  check "$1: exit code" "$?" "0"
  check_file "$1: script results" "$WORK_DIR/$1.txt" "$HERE/$1.out"
}

run_script properties
run_script events

USER_EXE="$WORK_DIR/designer_user.exe"
i686-w64-mingw32-g++ -std=c++20 -Os -static -mconsole "$HERE/designer_user.cpp" \
  -o "$USER_EXE" -luser32 || { fail "styles: build designer_user"; finish; exit 1; }
TITLE='Kestrel Designer Styles'
link "$HERE/styles.kil" "$WORK_DIR/styles.exe" || { fail "styles: link"; finish; exit 1; }
"$WINE" "$WORK_DIR/styles.exe" >"$WORK_DIR/styles.txt" 2>/dev/null &
SCRIPT_PID=$!
# step LINE ACTION...: waits for the script's LINE, then plays the actions.
step() {
  local line="$1"; shift
  wait_for_line "$WORK_DIR/styles.txt" "$line" 120 || { fail "styles: script reached $line"; return 1; }
  "$WINE" "$USER_EXE" "$TITLE" "$@" >>"$WORK_DIR/user.txt" 2>/dev/null
}
: >"$WORK_DIR/user.txt"
if step '^ready' dump; then
  check_file "styles: windows" "$WORK_DIR/user.txt" "$HERE/styles.dump"
  step '^ready' press:2006 click:2001   # label (click switch off), then button
  step '^label-on' press:2006
  step '^label ' click:2019 close       # button in the group box, close box
fi
deadline=$((SECONDS + 120))
while kill -0 "$SCRIPT_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
kill -0 "$SCRIPT_PID" 2>/dev/null && { kill "$SCRIPT_PID"; fail "styles: script ended"; }
wait "$SCRIPT_PID" 2>/dev/null
check_file "styles: script results" "$WORK_DIR/styles.txt" "$HERE/styles.out"
finish
