"""What dirs.kil left behind, and its lines that depend on the system."""
import sys

from hooks import Hook

hook = Hook.from_env()
varying = hook.rewrite_stdout(drop_prefix='any ')
# the order of two subdirectories is the system's; each one's block comes whole
hook.one_of('R034 lists each subdirectory in one block', varying.get('find-blocks'),
            r'0 t.txt|a\a.txt|a\aa\aa.txt|b\b.txt', r'0 t.txt|b\b.txt|a\a.txt|a\aa\aa.txt')

hook.exists('R012 left new/a', 'new/a')
hook.exists('R013 removed the empty new/a/b', 'new/a/b', expected=False)
hook.exists('R012 with the drive in front made abs/x', 'abs/x')
hook.exists(r'R012 of \lead\\dbl\ made lead/dbl below the current directory, R018 moved it',
            'lead', expected=False)
hook.exists('R018 moved the directory lead to lead2', 'lead2/dbl')
hook.exists('R012 new/fwd: the system splits at the slash', 'new/fwd')
hook.file_bytes('R021 cut full.txt to length 0', 'full.txt', b'')
hook.file_bytes('R021 made made.txt', 'made.txt', b'')
hook.exists('R017 deleted del.txt', 'del.txt', expected=False)
hook.exists('R018 moved mv.txt away', 'mv.txt', expected=False)
hook.file_bytes('R018 mv2.txt holds the moved bytes', 'mv2.txt', b'mv')
hook.file_bytes('R018 onto an existing file left it alone', 'empty.txt', b'')
hook.file_bytes('R026 copy.txt', 'copy.txt', b'hello')
hook.file_bytes('R026 over an existing file', 'empty-copy.txt', b'hello')
hook.file_bytes('R026 left the read-only ro.txt alone', 'ro.txt', b'readonly')
hook.exists('R026 of a missing file made nothing', 'never.txt', expected=False)
hook.file_bytes('R026 rocopy.txt', 'rocopy.txt', b'rosrc')
# Wine keeps the read-only attribute as the file's write permission
hook.check('R026 copied the read-only state', hook.path('rocopy.txt').stat().st_mode & 0o222, 0)
hook.file_bytes('R026 hidcopy.txt', 'hidcopy.txt', b'hid')
# Wine keeps hidden and system in the extended attribute user.DOSATTRIB; on
# a file system without extended attributes the script's own R039 reads
# are the only check
if hook.dos_attributes('hid.txt') is not None:
    hook.check('R026 copied the hidden attribute (user.DOSATTRIB)',
               hook.dos_attributes('hidcopy.txt') & 0x02, 0x02)
    hook.check('R040 SYSTEM on the directory sysfind/sys (user.DOSATTRIB)',
               hook.dos_attributes('sysfind/sys') & 0x04, 0x04)
hook.check('big.bin still 3 GiB', hook.path('big.bin').stat().st_size, 3 << 30)
sys.exit(hook.finish())
