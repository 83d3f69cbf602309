"""Checks what Wine's `reg query` listed of the values interop.kil wrote
under Kept: waits (bounded) for the script's marker query.done, then
compares the listing, one "name TYPE data" line per value in name order,
with interop.query; the long text value, 3,024 bytes, is checked apart."""
import difflib
import os
import re
import sys
import time
from pathlib import Path

RUN_DIR = Path(os.environ.get('KESTREL_E2E_RUN_DIR', '.'))
WAIT_SECONDS = 200.0
LONG_TEXT = '0123456789abcdefghijklmnopqrstuvwxyz' * 84


def wait_for(path, seconds):
    deadline = time.monotonic() + seconds
    while not path.exists():
        if time.monotonic() >= deadline:
            return False
        time.sleep(0.2)
    return True


def values(listing):
    """{name: (type, data)} of the value lines of a `reg query` listing
    ("    name    TYPE    data")."""
    found = {}
    for line in listing.replace('\r', '').splitlines():
        if not line.startswith('    '):
            continue  # the key's name and blank lines
        name, value_type, *data = re.split(r' {4}', line.strip(), maxsplit=2)
        found[name] = (value_type, data[0] if data else '')
    return found


def main():
    if not wait_for(RUN_DIR / 'query.done', WAIT_SECONDS):
        print(f'the script did not create query.done within {WAIT_SECONDS:.0f} s')
        return 1
    listing = (RUN_DIR / 'query.txt').read_text('latin-1')
    found = values(listing)
    failed = 0
    long_value = found.pop('long', None)
    if long_value != ('REG_SZ', LONG_TEXT):
        failed = 1
        shown = None if long_value is None else (long_value[0], len(long_value[1]), long_value[1][:40])
        print(f'long: expected REG_SZ of {len(LONG_TEXT)} bytes, listed (type, length, start) {shown}')
    got = sorted(' '.join([name, value_type, data]).rstrip() for name, (value_type, data) in found.items())
    expected_path = Path(__file__).with_suffix('.query')
    expected = expected_path.read_text('latin-1').splitlines()
    if got != expected:
        failed = 1
        print(f'reg query listed (+), {expected_path.name} expects (-):')
        for line in difflib.unified_diff(expected, got, expected_path.name, 'query.txt', lineterm=''):
            print('  ' + line)
    if not failed:
        print(f'{len(got) + 1} values as expected')
    return failed


sys.exit(main())
