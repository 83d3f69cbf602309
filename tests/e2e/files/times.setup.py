"""Fixtures of times.kil with known last-write times. The case runs with
TZ=UTC, so the local times that the script reads are the times set here."""
import os
import time
from pathlib import Path

from hooks import make_read_only


def stamp(text):
    return time.mktime(time.strptime(text, '%Y-%m-%d %H:%M:%S'))


def write(name, content, written=None, read_only=False):
    Path(name).write_bytes(content)
    if written:
        os.utime(name, (stamp(written), stamp(written)))
    if read_only:
        make_read_only(name)


write('t.txt', b'', '2026-03-15 09:05:07')
for name in ('d.txt', 'e.txt', 'f.txt'):
    write(name, name.encode(), '2001-06-20 10:30:41')
write('ro.txt', b'ro', '2001-06-20 10:30:41', read_only=True)
write('a.txt', b'a')
write('h.txt', b'h')
write('plain.txt', b'p')
os.mkdir('sub')
