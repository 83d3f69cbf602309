"""Shared by the drivers of the key and mouse cases: waits until the log
that keylog.exe writes into the run directory ends (with "end" after F16,
or "timeout"), then compares its events, the lines after "ready X Y", with
the expected ones and prints the difference.

    import keylog_check
    sys.exit(keylog_check.check_log(Path(__file__).with_suffix('.events')))
"""
import difflib
import os
import time
from pathlib import Path

RUN_DIR = Path(os.environ.get('KESTREL_E2E_RUN_DIR', '.'))
LOG_NAME = 'keylog.txt'
# Bound for the whole run of a script under a heavily loaded Wine: starting
# the window alone can take a minute.
WAIT_SECONDS = 280.0
LAST_LINES = ('end', 'timeout')


def read_lines(path):
    try:
        data = path.read_bytes()
    except FileNotFoundError:
        return []
    # Only whole lines: the window may be writing the last one.
    whole = data[:data.rfind(b'\n') + 1]
    return whole.decode('latin-1').replace('\r', '').splitlines()


def wait_for_end(path, seconds):
    """The lines of the log once its last line is "end" or "timeout";
    whatever it holds when the bound runs out."""
    deadline = time.monotonic() + seconds
    while True:
        lines = read_lines(path)
        if lines and lines[-1] in LAST_LINES:
            return lines, True
        if time.monotonic() >= deadline:
            return lines, False
        time.sleep(0.2)


def events(lines):
    """The lines after the "ready" line (None when there is none)."""
    for index, line in enumerate(lines):
        if line.startswith('ready '):
            return lines[index + 1:]
    return None


def check_log(expected_path, log_path=None, seconds=WAIT_SECONDS):
    """0 when the events of the log equal the lines of `expected_path`;
    otherwise prints why and returns 1."""
    log_path = log_path or RUN_DIR / LOG_NAME
    expected = expected_path.read_text('latin-1').replace('\r', '').splitlines()
    lines, ended = wait_for_end(log_path, seconds)
    if not ended:
        print(f'{log_path.name} did not end within {seconds:.0f} s; it holds:')
        print('\n'.join('  ' + line for line in lines) or '  (nothing)')
        return 1
    got = events(lines)
    if got is None:
        print(f'{log_path.name} has no "ready" line; it holds:')
        print('\n'.join('  ' + line for line in lines))
        return 1
    if got == expected:
        print(f'{len(got)} events as expected')
        return 0
    print(f'events received (+) differ from {expected_path.name} (-):')
    for line in difflib.unified_diff(expected, got, expected_path.name, log_path.name,
                                     lineterm='', n=3):
        print('  ' + line)
    return 1
