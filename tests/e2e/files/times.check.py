"""The times and attributes that times.kil left on its files, read back
from the Linux side, its lines that depend on the system, and the disk
space it reported.

What Wine keeps on a Linux file system: the read-only attribute is the
file's write permission; hidden and system go to the extended attribute
user.DOSATTRIB where the file system has extended attributes (read here
when it does); the archive bit is reported for every plain file, so the
script's NORMAL test of an untouched file may go either way."""
import os
import stat
import sys
import time
from pathlib import Path

from hooks import Hook

hook = Hook.from_env()
varying = hook.rewrite_stdout(drop_prefix='any ')


def written(name):
    return time.strftime('%Y-%m-%d %H:%M:%S', time.localtime(hook.path(name).stat().st_mtime))


def writable(name):
    return bool(hook.path(name).stat().st_mode & (stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH))


hook.check('R047 set d.txt (two-second precision, fields out of range kept)',
           written('d.txt'), '2030-12-15 10:30:40')
hook.check('R049 set e.txt', written('e.txt'), '2001-06-20 09:15:58')
hook.check('R047 left the read-only ro.txt alone', written('ro.txt'), '2001-06-20 10:30:41')
# hour 24 goes to the system's conversion, whose answer decides: refused,
# the file keeps its time; accepted, it is midnight of the next day
hour_24 = {'-1 103040 06202001': '2001-06-20 10:30:41', '0 000040 06212001': '2001-06-21 00:00:40'}
answer = varying.get('set-time-hour-24')
if hook.one_of('R049 with hour 24', answer, *hour_24):
    hook.check('R049 with hour 24 left f.txt as reported', written('f.txt'), hour_24[answer])

hook.check('R040 READONLY took the write permission of a.txt', writable('a.txt'), False)
hook.check('R040 NORMAL gave h.txt its write permission back', writable('h.txt'), True)
hook.one_of('plain.txt: ARCHIVE and NORMAL exclude each other',
            varying.get('attr-plain-archive-normal'), '0-1', '-10')
if hook.dos_attributes('h.txt') is not None:
    hook.check('R040 NORMAL cleared hidden and system of h.txt in user.DOSATTRIB',
               hook.dos_attributes('h.txt') & 0x06, 0)

# R042 and R057 on C:\ against what Linux reports for the file system of
# the Wine prefix (both may move a little while the case runs). Wine gives
# as the disk's free bytes either the free blocks or those that are free
# for users other than root (the reserved blocks left out); both count.
free, total, code = (varying.get('space') or '- - -').split(' ')
hook.check('R042 and R057 leave the result code', code, 'kept')
fs = os.statvfs(Path(os.environ.get('WINEPREFIX', Path.home() / '.wine')) / 'drive_c')
slack = 1 << 30
low, high = fs.f_bavail * fs.f_frsize - slack, fs.f_bfree * fs.f_frsize + slack
hook.check('R042 free bytes of C:\\ in full, as statfs reports them',
           free if free.isdigit() and low <= int(free) <= high else f'{free} (not in {low}..{high})',
           free)
size = fs.f_blocks * fs.f_frsize
hook.check('R057 total bytes of C:\\ in full, as statfs reports them',
           total if total.isdigit() and abs(int(total) - size) <= slack else f'{total} (not near {size})',
           total)
sys.exit(hook.finish())
