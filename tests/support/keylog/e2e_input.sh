# Shell helpers for end-to-end scripts under Wine that run outside the e2e
# harness (sourced by tests/e2e/designer/run.sh).
#
# Environment (all but the first have defaults):
#   KESTREL_EXE   the runtime kestrel.exe to link the scripts onto (required)
#   KLINK         the klink linker (default: klink on PATH)
#   KEYLOG_EXE    the keylog test window; built from tests/support/keylog
#                 with $KEYLOG_CXX (default i686-w64-mingw32-g++; the
#                 x86-64 compiler for the win64 test vehicle) when unset
#   WORK_DIR      scratch directory (default: a new mktemp directory)
#   WINE          the wine command (default: wine)
#   WINEPREFIX, DISPLAY  as for any Wine run; the caller keeps a wineserver
#                 and an X server running.
# Every check prints "ok NAME" or "FAIL NAME" with actual beside expected;
# finish prints "N passed, M failed" and returns non-zero on any failure.

E2E_PASSED=0
E2E_FAILED=0
SUPPORT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${WINE:=wine}"
: "${KLINK:=klink}"
: "${WORK_DIR:=$(mktemp -d)}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

pass() { E2E_PASSED=$((E2E_PASSED + 1)); echo "ok $1"; }
fail() { E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL $1"; }

# check NAME ACTUAL EXPECTED: one comparison of two texts.
check() {
  if [ "$2" = "$3" ]; then pass "$1"; else
    fail "$1"; echo "  actual:   $2"; echo "  expected: $3"; fi
}

# check_file NAME ACTUAL_FILE EXPECTED_FILE: line by line, CR removed; the
# difference is printed side by side (actual left, expected right).
check_file() {
  tr -d '\r' <"$2" >"$2.lf"
  if diff -q "$2.lf" "$3" >/dev/null; then pass "$1"; else
    fail "$1"; diff -y --width=80 "$2.lf" "$3" | sed 's/^/  /'; fi
}

# link SCRIPT PROGRAM: the script linked onto the runtime.
link() { "$KLINK" -r "$KESTREL_EXE" "$1" -o "$2"; }

# keylog_exe: the path of the keylog window program, built if needed.
keylog_exe() {
  if [ -z "${KEYLOG_EXE:-}" ]; then
    KEYLOG_EXE="$WORK_DIR/keylog.exe"
    "${KEYLOG_CXX:-i686-w64-mingw32-g++}" -std=c++20 -Os -static -mconsole "$SUPPORT_DIR/keylog.cpp" \
      -o "$KEYLOG_EXE" -luser32 || return 1
  fi
  echo "$KEYLOG_EXE"
}

# wait_for_line FILE PATTERN SECONDS: true once a line of FILE matches.
wait_for_line() {
  local deadline=$((SECONDS + $3))
  while [ $SECONDS -lt $deadline ]; do
    grep -q "$2" "$1" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# start_keylog LOG: starts the keylog window, logging to LOG, and waits
# (up to two minutes) until it is ready. Sets KEYLOG_PID.
start_keylog() {
  local exe
  exe="$(keylog_exe)" || return 1
  "$WINE" "$exe" "Kestrel Keylog" 300 >"$1" 2>/dev/null &
  KEYLOG_PID=$!
  wait_for_line "$1" '^ready' 120
}

# stop_keylog: waits (up to two minutes) for the keylog window to end by
# itself, and ends it if it does not. False when it had to be ended.
stop_keylog() {
  local deadline=$((SECONDS + 120))
  while kill -0 "$KEYLOG_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
  if kill -0 "$KEYLOG_PID" 2>/dev/null; then kill "$KEYLOG_PID"; wait "$KEYLOG_PID" 2>/dev/null; return 1; fi
  wait "$KEYLOG_PID" 2>/dev/null
  return 0
}

finish() {
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}
