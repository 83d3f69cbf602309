"""Shared by the tray, hot-key and file-dialog drivers: builds shell_user.exe
(once per source version, in the temporary directory) and runs its
commands under the case's Wine environment; waits for the marker
directories that the scripts create (R012) when they reach a step.
"""
import hashlib
import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SOURCE = Path(__file__).resolve().with_name('shell_user.cpp')
SCALE = float(os.environ.get('KESTREL_E2E_TIME_SCALE', '4'))
PROGRAM = os.environ.get('KESTREL_E2E_PROGRAM', '')
RUN_DIR = Path(os.environ.get('KESTREL_E2E_RUN_DIR', '.'))

# Window messages the drivers send.
WM_APP, WM_HOTKEY, WM_LBUTTONUP, WM_RBUTTONUP = 0x8000, 0x0312, 0x0202, 0x0205
VK_RETURN, VK_DOWN, VK_CONTROL, VK_MENU, VK_F3 = 13, 40, 0x11, 0x12, 0x72
IDOK, IDCANCEL = 1, 2


def helper():
    digest = hashlib.sha1(SOURCE.read_bytes()).hexdigest()[:12]
    exe = Path(tempfile.gettempdir()) / f'kestrel-shell-user-{digest}.exe'
    if not exe.is_file():
        partial = exe.with_suffix(f'.{os.getpid()}.tmp')
        subprocess.run(['i686-w64-mingw32-g++', '-std=c++20', '-O1', '-static', '-mconsole',
                        str(SOURCE), '-o', str(partial), '-luser32', '-lshell32'], check=True)
        os.replace(partial, exe)
    return exe


def run(*args):
    """Runs one shell_user command; fails the driver when it fails."""
    result = subprocess.run(['wine', str(helper()), *map(str, args)], stdin=subprocess.DEVNULL,
                            capture_output=True, text=True, timeout=120 * SCALE)
    print(f'shell_user {" ".join(map(str, args))}: rc={result.returncode} {result.stdout.strip()}',
          flush=True)
    if result.returncode != 0:
        sys.exit(f'shell_user {args[0]} failed: {result.stdout.strip()} {result.stderr.strip()}')
    return result.stdout.strip()


def post(msg, wparam, lparam):
    return run('post', PROGRAM, msg, wparam, lparam)


def send(msg, wparam, lparam):
    return run('send', PROGRAM, msg, wparam, lparam)


def wait_marker(name, seconds=60):
    """Waits (bounded) until the script has made directory `name`."""
    deadline = time.monotonic() + seconds * SCALE
    while not (RUN_DIR / name).is_dir():
        if time.monotonic() > deadline:
            sys.exit(f'the script never reached marker {name}')
        time.sleep(0.1)
    print(f'marker {name}', flush=True)


def absent(name):
    return not (RUN_DIR / name).exists()
