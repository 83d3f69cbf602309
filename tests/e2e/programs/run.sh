#!/usr/bin/env bash
# Programs, command lines, environment variables and shell links: the
# script's result codes (one line per check) must equal programs.out. The
# script runs in the work directory, where link_reader.exe (built here from
# link_reader.cpp unless LINK_READER_EXE is set) reads the links it makes
# back through IShellLinkA. Environment: see tests/support/keylog/e2e_input.sh.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../../support/keylog/e2e_input.sh"

if [ -n "${LINK_READER_EXE:-}" ]; then
  cp "$LINK_READER_EXE" "$WORK_DIR/link_reader.exe" || exit 1
else
  i686-w64-mingw32-g++ -std=c++20 -Os -static -mconsole "$HERE/link_reader.cpp" \
    -o "$WORK_DIR/link_reader.exe" -lole32 -luuid || exit 1
fi
link "$HERE/programs.kil" "$WORK_DIR/programs.exe" || exit 1
(cd "$WORK_DIR" && "$WINE" programs.exe >programs.txt 2>/dev/null)
check "programs: exit code" "$?" "0"
check_file "programs: result codes" "$WORK_DIR/programs.txt" "$HERE/programs.out"
for name in k1.lnk k2.lnk.lnk k3.lnk; do
  if [ -f "$WORK_DIR/$name" ]; then pass "programs: $name exists"; else fail "programs: $name exists"; fi
done
if [ -e "$WORK_DIR/k2.lnk" ]; then fail "programs: no k2.lnk"; else pass "programs: no k2.lnk"; fi
finish
