#!/usr/bin/env bash
# End-to-end tests of the file commands under Wine. Each script runs in a
# new empty directory that this driver fills with its fixtures; the script
# prints one line per check (compared with NAME.out), and the driver then
# checks what was left behind: contents byte for byte, existence,
# read-only state and the file times read back with stat.
#
# Environment:
#   KESTREL_EXE   the runtime kestrel.exe to link the scripts onto (required)
#   KLINK         the klink linker (default: klink on PATH)
#   WINE          the wine command (default: wine)
#   WORK_DIR      scratch directory (default: a new mktemp directory)
#   WINEPREFIX, DISPLAY  as for any Wine run; the caller keeps a wineserver
#                 and an X server running.
#
# Lines whose name starts with "any " depend on the system (enumeration
# order, what Wine keeps of an attribute); they are left out of the
# comparison with NAME.out and checked here against each allowed answer.
#
# What Wine on a Linux file system keeps: the read-only attribute is the
# file's write permission (checked here with stat); hidden and system are
# kept in the extended attribute user.DOSATTRIB where the file system
# allows it (checked with getfattr when it is installed); the archive bit
# is reported for every plain file, so NORMAL never shows on a file that
# the script has not made NORMAL itself.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
: "${WINE:=wine}"
: "${KLINK:=klink}"
: "${WORK_DIR:=$(mktemp -d)}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export TZ=UTC  # the file times below are local times; Wine follows TZ

PASSED=0
FAILED=0
pass() { PASSED=$((PASSED + 1)); echo "ok $1"; }
fail() { FAILED=$((FAILED + 1)); echo "FAIL $1"; }

# check NAME ACTUAL EXPECTED
check() {
  if [ "$2" = "$3" ]; then pass "$1"; else
    fail "$1"; echo "  actual:   $2"; echo "  expected: $3"; fi
}

# check_one_of NAME ACTUAL EXPECTED...: ACTUAL is one of the answers.
check_one_of() {
  local name="$1" actual="$2"; shift 2
  for expected in "$@"; do
    if [ "$actual" = "$expected" ]; then pass "$name"; return; fi
  done
  fail "$name"; echo "  actual:   $actual"; printf '  expected one of: %s\n' "$@"
}

# check_file NAME ACTUAL_FILE EXPECTED_FILE: line by line, side by side.
check_file() {
  if diff -q "$2" "$3" >/dev/null; then pass "$1"; else
    fail "$1"; diff -y --width=100 "$2" "$3" | sed 's/^/  /'; fi
}

# check_bytes NAME FILE HEX: the file's bytes as lower-case hex digits.
check_bytes() {
  local actual="(missing)"
  [ -f "$2" ] && actual="$(od -An -v -tx1 "$2" | tr -d ' \n')"
  check "$1" "$actual" "$3"
}

# check_same NAME FILE REFERENCE: byte-identical files.
check_same() {
  if [ -f "$2" ] && cmp -s "$2" "$3"; then pass "$1"; else
    fail "$1"; echo "  $2 differs from $3 (or is missing)"; fi
}

exists() { [ -e "$1" ] && echo yes || echo no; }
writable_bits() { stat -c %A "$1" | cut -c3,6,9; }  # w or - for user, group, other
mtime() { date -u -r "$1" '+%Y-%m-%d %H:%M:%S'; }
# The DOS attribute bits that Wine stored for a file, or "none".
dos_attributes() {
  getfattr --only-values -n user.DOSATTRIB "$1" 2>/dev/null || echo none
}

mkdir -p "$WORK_DIR/bin"

# run_script NAME: links NAME.kil and runs it in $DIR. The output, with
# the directory's Windows path replaced by WORK and CR removed, goes to
# $WORK_DIR/NAME.out (system-dependent lines to $WORK_DIR/NAME.any).
run_script() {
  local name="$1" exe="$WORK_DIR/bin/$1.exe" raw="$WORK_DIR/$1.raw"
  "$KLINK" -r "$KESTREL_EXE" "$HERE/$name.kil" -o "$exe" || { fail "$name: link"; return 1; }
  (cd "$DIR" && "$WINE" "$exe" >"$raw" 2>/dev/null)
  check "$name: exit code" "$?" "0"
  local windows_dir="Z:${DIR//\//\\}"
  tr -d '\r' <"$raw" | awk -v dir="$windows_dir" '{
      while ((i = index($0, dir)) > 0) $0 = substr($0, 1, i - 1) "WORK" substr($0, i + length(dir));
      print }' >"$WORK_DIR/$name.all"
  grep -v '^any ' "$WORK_DIR/$name.all" >"$WORK_DIR/$name.out"
  grep '^any ' "$WORK_DIR/$name.all" >"$WORK_DIR/$name.any"
  check_file "$name: script results" "$WORK_DIR/$name.out" "$HERE/$name.out"
}

# any_line NAME KEY: the value of the system-dependent line KEY.
any_line() { sed -n "s/^any $2 //p" "$WORK_DIR/$1.any"; }

new_dir() { DIR="$WORK_DIR/$1"; rm -rf "$DIR"; mkdir -p "$DIR"; }

# ---------------------------------------------------------------- dirs
new_dir dirs
printf 'hello' >"$DIR/a.txt"
: >"$DIR/empty.txt"
printf 'content' >"$DIR/full.txt"
printf 'mv' >"$DIR/mv.txt"
printf 'readonly' >"$DIR/ro.txt" && chmod 444 "$DIR/ro.txt"
printf 'rosrc' >"$DIR/rosrc.txt" && chmod 444 "$DIR/rosrc.txt"
printf 'hid' >"$DIR/hid.txt"
mkdir -p "$DIR/sub" && printf 'b' >"$DIR/sub/b.txt"
truncate -s 3G "$DIR/big.bin"
mkdir -p "$DIR/find/n1/n2/n3"
for f in find/f1.txt find/z.log find/n1/f2.txt find/n1/n2/f3.txt find/n1/n2/n3/f4.txt; do
  printf 'x' >"$DIR/$f"
done
mkdir -p "$DIR/sysfind/sys" "$DIR/two/a/aa" "$DIR/two/b"
for f in sysfind/top.txt sysfind/sys/s.txt two/t.txt two/a/a.txt two/a/aa/aa.txt two/b/b.txt; do
  printf 'x' >"$DIR/$f"
done
run_script dirs
check_one_of "dirs: find-blocks, each subdirectory whole" "$(any_line dirs find-blocks)" \
  '0 t.txt|a\a.txt|a\aa\aa.txt|b\b.txt' '0 t.txt|b\b.txt|a\a.txt|a\aa\aa.txt'
check "dirs: R012 left new\\a, R013 removed new\\a\\b" "$(exists "$DIR/new/a") $(exists "$DIR/new/a/b")" "yes no"
check "dirs: R012 with a drive made abs\\x" "$(exists "$DIR/abs/x")" "yes"
check "dirs: R012 of \\lead\\\\dbl\\ made lead\\dbl, moved to lead2 by R018" \
  "$(exists "$DIR/lead") $(exists "$DIR/lead2/dbl")" "no yes"
check "dirs: R012 new/fwd (the system splits at the slash)" "$(exists "$DIR/new/fwd")" "yes"
check_bytes "dirs: R021 cut full.txt to length 0" "$DIR/full.txt" ""
check_bytes "dirs: R021 made made.txt" "$DIR/made.txt" ""
check "dirs: R017 deleted del.txt" "$(exists "$DIR/del.txt")" "no"
check "dirs: R018 moved mv.txt" "$(exists "$DIR/mv.txt")" "no"
check_bytes "dirs: R018 mv2.txt holds mv" "$DIR/mv2.txt" "6d76"
check_bytes "dirs: R018 left empty.txt alone" "$DIR/empty.txt" ""
check_same "dirs: R026 copy.txt" "$DIR/copy.txt" "$DIR/a.txt"
check_same "dirs: R026 over an existing file" "$DIR/empty-copy.txt" "$DIR/a.txt"
check_bytes "dirs: R026 left the read-only ro.txt alone" "$DIR/ro.txt" "$(printf readonly | od -An -tx1 | tr -d ' \n')"
check "dirs: R026 made no never.txt" "$(exists "$DIR/never.txt")" "no"
check_same "dirs: R026 rocopy.txt" "$DIR/rocopy.txt" "$DIR/rosrc.txt"
check "dirs: R026 copied the read-only state (write bits)" "$(writable_bits "$DIR/rocopy.txt")" "---"
check_same "dirs: R026 hidcopy.txt" "$DIR/hidcopy.txt" "$DIR/hid.txt"
check "dirs: big.bin still 3 GiB" "$(stat -c %s "$DIR/big.bin")" "3221225472"

# ------------------------------------------------------------ contents
new_dir contents
printf 'a\r\nb\r\n' >"$DIR/two.txt"
printf 'x\r\nlast' >"$DIR/nolf.txt"
: >"$DIR/empty.txt"
{ printf 'first\n'; head -c 100000 /dev/zero | tr '\0' 'L'; printf '\r\nend\n'; } >"$DIR/long.txt"
printf 'aaaa\nb\nc\n' >"$DIR/chg.txt"
printf 'readonly' >"$DIR/ro.txt" && chmod 444 "$DIR/ro.txt"
printf 'abcdef' >"$DIR/w.bin"
printf '....' >"$DIR/z.bin"
printf 'xxxx' >"$DIR/sep.bin"
printf 'ABC' >"$DIR/abc.bin"
printf '\000\007\377\n' >"$DIR/bin.bin"
truncate -s 3G "$DIR/big.bin"
run_script contents
check_same "contents: R024 line 0 gives the whole file" "$DIR/whole-two.out" "$DIR/two.txt"
check_same "contents: R024 a negative line gives the whole file" "$DIR/whole-negative.out" "$DIR/two.txt"
check_bytes "contents: R024 long line read whole" "$DIR/long-line.out" \
  "$(head -c 100000 /dev/zero | tr '\0' 'L' | od -An -v -tx1 | tr -d ' \n')"
check_bytes "contents: R025 app.txt" "$DIR/app.txt" \
  "$(printf 'one\r\ntwo\r\nxy<end>' | od -An -v -tx1 | tr -d ' \n')"
check "contents: R025 made nothing without a directory" "$(exists "$DIR/nosuchdir")" "no"
check_bytes "contents: R025 and R050 left ro.txt alone" "$DIR/ro.txt" "$(printf readonly | od -An -tx1 | tr -d ' \n')"
check_bytes "contents: R050 chg.txt" "$DIR/chg.txt" "780a61610a620a630a"
check_bytes "contents: R050 w.bin (overwrite, position 0 and below, past the end)" "$DIR/w.bin" "594243646566004748"
check_bytes "contents: R050 empty items write zero bytes" "$DIR/z.bin" "2e00010002"
check_bytes "contents: R050 splits at the whole separator" "$DIR/sep.bin" "4142ff78"
check "contents: R050 made no nosuch.bin" "$(exists "$DIR/nosuch.bin")" "no"
check "contents: R050 beyond 2 GiB kept the size" "$(stat -c %s "$DIR/big.bin")" "3221225472"
dd if="$DIR/big.bin" bs=1 skip=2999999999 count=4 of="$WORK_DIR/big-part.bin" 2>/dev/null
check_bytes "contents: R050 beyond 2 GiB wrote at offset 3000000000" "$WORK_DIR/big-part.bin" "00010200"

# --------------------------------------------------------------- times
new_dir times
touch -d '2026-03-15 09:05:07' "$DIR/t.txt"
for f in d.txt e.txt f.txt; do printf '%s' "$f" >"$DIR/$f"; touch -d '2001-06-20 10:30:41' "$DIR/$f"; done
printf 'ro' >"$DIR/ro.txt" && touch -d '2001-06-20 10:30:41' "$DIR/ro.txt" && chmod 444 "$DIR/ro.txt"
printf 'a' >"$DIR/a.txt"
printf 'h' >"$DIR/h.txt"
printf 'p' >"$DIR/plain.txt"
mkdir "$DIR/sub"
run_script times
check "times: R047 set d.txt (FAT precision, fields out of range kept)" "$(mtime "$DIR/d.txt")" "2030-12-15 10:30:40"
check "times: R049 set e.txt" "$(mtime "$DIR/e.txt")" "2001-06-20 09:15:58"
check "times: R047 left the read-only ro.txt alone" "$(mtime "$DIR/ro.txt")" "2001-06-20 10:30:41"
check_one_of "times: R049 hour 24 (the system's conversion decides)" "$(any_line times set-time-hour-24)" \
  "-1 103040 06202001" "0 000040 06212001"
check "times: R040 READONLY removed the write bits of a.txt" "$(writable_bits "$DIR/a.txt")" "---"
check "times: R040 NORMAL gave h.txt its write bits back" "$(writable_bits "$DIR/h.txt" | cut -c1)" "w"
check_one_of "times: plain.txt ARCHIVE and NORMAL" "$(any_line times attr-plain-archive-normal)" "0-1" "-10"
if command -v getfattr >/dev/null; then
  check_one_of "times: hidden and system of h.txt cleared in user.DOSATTRIB" "$(dos_attributes "$DIR/h.txt")" none 0x0 0x20
fi

# ---------------------------------------------------------------- disks
# R042 and R057 of C:\ against what Linux reports for the file system of
# the Wine prefix (both may move a little while the tests run).
read -r free total code <<<"$(any_line times space)"
check "disks: R042 and R057 leave the result code" "$code" "kept"
prefix_c="${WINEPREFIX:-$HOME/.wine}/drive_c"
df_free=$(($(stat -f -c '%f * %S' "$prefix_c")))
df_total=$(($(stat -f -c '%b * %S' "$prefix_c")))
near() { local d=$(($1 - $2)); [ ${d#-} -le $((1 << 30)) ] && echo near || echo "off by $d"; }
check "disks: R042 free bytes of C:\\ above 4 GiB" "$([ "$free" -gt 4294967296 ] && echo yes || echo "no: $free")" "yes"
check "disks: R042 free bytes of C:\\ as statfs reports them" "$(near "$free" "$df_free")" "near"
check "disks: R057 total bytes of C:\\ as statfs reports them" "$(near "$total" "$df_total")" "near"

echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
