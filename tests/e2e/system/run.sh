#!/usr/bin/env bash
# Media control commands, pauses, the workstation lock and the shutdown
# request: the script's output must equal system.out. R044 is answered by
# the runtime's recording fake, selected by the script itself through the
# environment variable KESTREL_TEST_FAKE_SHUTDOWN; its record of the calls
# (privilege steps and ExitWindowsEx flags) is part of system.out, so no
# check ever asks the machine to shut down. Environment: see
# tests/support/keylog/e2e_input.sh.
set -u
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/../../support/keylog/e2e_input.sh"

link "$HERE/system.kil" "$WORK_DIR/system.exe" || exit 1
(cd "$WORK_DIR" && "$WINE" system.exe >system.txt 2>/dev/null)
check "system: exit code" "$?" "0"
check_file "system: result codes and shutdown calls" "$WORK_DIR/system.txt" "$HERE/system.out"
finish
