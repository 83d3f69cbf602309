"""The files that contents.kil wrote or must have left alone, byte for
byte."""
import sys

from hooks import Hook

hook = Hook.from_env()
hook.file_bytes('R024 line 0 gives the whole file', 'whole-two.out', b'a\r\nb\r\n')
hook.file_bytes('R024 a negative line gives the whole file', 'whole-negative.out', b'a\r\nb\r\n')
hook.file_bytes('R024 reads a line of 100,000 bytes whole', 'long-line.out', b'L' * 100_000)
hook.file_bytes('R025 app.txt: terminators of variable 61, none, another one',
                'app.txt', b'one\r\ntwo\r\nxy<end>')
hook.exists('R025 made nothing without its directory', 'nosuchdir', expected=False)
hook.file_bytes('R025 and R050 left the read-only ro.txt alone', 'ro.txt', b'readonly')
hook.file_bytes('R050 chg.txt', 'chg.txt', b'x\naa\nb\nc\n')
hook.file_bytes('R050 w.bin: overwrite, position 0 and below, past the end', 'w.bin',
                b'YBCdef\x00GH')
hook.file_bytes('R050 empty items write zero bytes', 'z.bin', b'.\x00\x01\x00\x02')
hook.file_bytes('R050 splits at the whole separator', 'sep.bin', b'AB\xffx')
hook.exists('R050 made no nosuch.bin', 'nosuch.bin', expected=False)
big = hook.path('big.bin')
hook.check('R050 beyond 2 GiB kept the size', big.stat().st_size, 3 << 30)
with open(big, 'rb') as f:
    f.seek(2_999_999_999)
    hook.check('R050 beyond 2 GiB wrote at offset 3,000,000,000', f.read(4), b'\x00\x01\x02\x00')
sys.exit(hook.finish())
