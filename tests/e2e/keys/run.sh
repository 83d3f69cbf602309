#!/usr/bin/env bash
# Keys typed by R033 into the keylog window: the window's log of key and
# character messages (from its "ready" line on) must equal keys.log, and the
# script's result codes keys.expected. Environment: see
# tests/support/keylog/e2e_input.sh.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../../support/keylog/e2e_input.sh"

link "$HERE/keys.lst" "$WORK_DIR/keys.exe" || exit 1
if ! start_keylog "$WORK_DIR/keylog.txt"; then
  fail "keys: keylog window ready"; cat "$WORK_DIR/keylog.txt"; stop_keylog; finish; exit 1
fi
"$WINE" "$WORK_DIR/keys.exe" >"$WORK_DIR/keys.txt" 2>/dev/null
check "keys: exit code" "$?" "0"
stop_keylog
check "keys: keylog ended by (f16)" "$?" "0"
check_file "keys: result codes" "$WORK_DIR/keys.txt" "$HERE/keys.expected"
tr -d '\r' <"$WORK_DIR/keylog.txt" | sed -n '/^ready/,$p' | sed 1d >"$WORK_DIR/events.txt"
check_file "keys: events received" "$WORK_DIR/events.txt" "$HERE/keys.log"
finish
