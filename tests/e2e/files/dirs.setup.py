"""Fixtures of dirs.kil: plain, empty and read-only files, a sparse 3 GiB
file and the directory trees that the searches walk."""
import os
from pathlib import Path

from hooks import make_read_only


def write(name, content=b'x', read_only=False):
    path = Path(name)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(content)
    if read_only:
        make_read_only(path)


write('a.txt', b'hello')
write('empty.txt', b'')
write('full.txt', b'content')
write('mv.txt', b'mv')
write('ro.txt', b'readonly', read_only=True)
write('rosrc.txt', b'rosrc', read_only=True)
write('hid.txt', b'hid')
write('sub/b.txt', b'b')
with open('big.bin', 'wb') as big:       # sparse: no disk space is used
    big.truncate(3 << 30)
# find/ has one match and one subdirectory on each level, so the order of
# a search there is fixed
os.makedirs('find/n1/n2/n3')
for name in ('find/f1.txt', 'find/z.log', 'find/n1/f2.txt', 'find/n1/n2/f3.txt',
             'find/n1/n2/n3/f4.txt', 'sysfind/top.txt', 'sysfind/sys/s.txt',
             'two/t.txt', 'two/a/a.txt', 'two/a/aa/aa.txt', 'two/b/b.txt'):
    write(name)
