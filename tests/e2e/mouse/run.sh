#!/usr/bin/env bash
# Pointer moves, clicks and a drag by R059 on the keylog window: the
# window's log of button messages and pointer positions (from its "ready"
# line on) must equal mouse.log. Environment: see
# tests/support/keylog/e2e_input.sh.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../../support/keylog/e2e_input.sh"

link "$HERE/mouse.lst" "$WORK_DIR/mouse.exe" || exit 1
if ! start_keylog "$WORK_DIR/keylog.txt"; then
  fail "mouse: keylog window ready"; cat "$WORK_DIR/keylog.txt"; stop_keylog; finish; exit 1
fi
"$WINE" "$WORK_DIR/mouse.exe" >"$WORK_DIR/mouse.txt" 2>/dev/null
check "mouse: exit code" "$?" "0"
stop_keylog
check "mouse: keylog ended by (f16)" "$?" "0"
check_file "mouse: script output" "$WORK_DIR/mouse.txt" "$HERE/mouse.expected"
tr -d '\r' <"$WORK_DIR/keylog.txt" | sed -n '/^ready/,$p' | sed 1d >"$WORK_DIR/events.txt"
check_file "mouse: events received" "$WORK_DIR/events.txt" "$HERE/mouse.log"
finish
