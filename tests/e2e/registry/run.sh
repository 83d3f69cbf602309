#!/usr/bin/env bash
# Registry values shared with Wine's reg tool (interop.lst; registry.kil is
# an ordinary harness case): values prepared with Wine's own `reg add` are read
# by the script, the values the script writes are checked with `reg query`,
# and the test key is removed afterwards. Environment: see
# tests/support/keylog/e2e_input.sh.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../../support/keylog/e2e_input.sh"

KEY='HKCU\Software\KestrelE2E'
"$WINE" reg delete "$KEY" /f >/dev/null 2>&1
"$WINE" cmd /c "reg add $KEY\\FromReg /v big /t REG_DWORD /d 4294967295 /f" \
  "& reg add $KEY\\FromReg /v text /t REG_SZ /d \"written by reg\" /f" \
  "& reg add $KEY\\FromReg /v hex /t REG_BINARY /d 00ff10 /f" >/dev/null 2>&1

link "$HERE/interop.lst" "$WORK_DIR/interop.exe" || exit 1
"$WINE" "$WORK_DIR/interop.exe" >"$WORK_DIR/interop.txt" 2>/dev/null
check "registry: exit code" "$?" "0"
check_file "registry: script results" "$WORK_DIR/interop.txt" "$HERE/interop.expected"

# What the script left under Kept, as another registry client sees it.
"$WINE" reg query "$KEY\\Kept" >"$WORK_DIR/query.txt" 2>&1
tr -d '\r' <"$WORK_DIR/query.txt" | sed -n 's/^ *\([^ ].*\)$/\1/p' |
  grep -v '^HKEY_' | grep -v '^long ' | sed 's/  */ /g' | LC_ALL=C sort >"$WORK_DIR/query.out"
check_file "registry: reg query of Kept" "$WORK_DIR/query.out" "$HERE/query.expected"
long_size="$(tr -d '\r' <"$WORK_DIR/query.txt" | sed -n 's/^ *long *REG_SZ *//p' | tr -d '\n' | wc -c)"
check "registry: reg query of the long text, its length" "$long_size" "3024"

"$WINE" reg delete "$KEY" /f >/dev/null 2>&1
"$WINE" reg query "$KEY" >/dev/null 2>&1
check "registry: test key removed (reg query exit code)" "$?" "1"
finish
