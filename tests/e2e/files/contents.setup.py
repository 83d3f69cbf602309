"""Fixtures of contents.kil: text files with and without line breaks, a
line of 100,000 bytes, a read-only file, byte files and a sparse 3 GiB
file."""
from pathlib import Path

from hooks import make_read_only

LONG_LINE = b'L' * 100_000

for name, content in {
    'two.txt': b'a\r\nb\r\n',
    'nolf.txt': b'x\r\nlast',
    'empty.txt': b'',
    'long.txt': b'first\n' + LONG_LINE + b'\r\nend\n',
    'chg.txt': b'aaaa\nb\nc\n',
    'ro.txt': b'readonly',
    'w.bin': b'abcdef',
    'z.bin': b'....',
    'sep.bin': b'xxxx',
    'abc.bin': b'ABC',
    'bin.bin': b'\x00\x07\xff\n',
}.items():
    Path(name).write_bytes(content)
make_read_only('ro.txt')
with open('big.bin', 'wb') as big:       # sparse: no disk space is used
    big.truncate(3 << 30)
