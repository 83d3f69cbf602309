"""Building the program image of a case: klink links the listing (or the
raw code of an `; image: code=` directive) onto the runtime; an
`; image: trailer=` directive then rewrites the 4-byte trailer.
"""
import struct
import subprocess
from pathlib import Path


class ImageError(Exception):
    """The image could not be built."""


def stub_runtime(path):
    """Writes the smallest file klink accepts as a runtime: an MZ header whose
    offset field at 0x3C points at a PE signature. Used for native runs,
    where kestrel-run reads the image but never executes the runtime part."""
    header = bytearray(0x80)
    header[0:2] = b'MZ'
    header[0x3C:0x40] = struct.pack('<I', 0x40)
    header[0x40:0x44] = b'PE\0\0'
    Path(path).write_bytes(bytes(header))
    return Path(path)


def patch_trailer(image_path, trailer):
    """Rewrites the trailer: '0', 'size' (the file size: empty code),
    'past-end' (one byte past the end of the file) or a number."""
    data = bytearray(Path(image_path).read_bytes())
    size = len(data)
    value = {'0': 0, 'size': size, 'past-end': size + 1}.get(trailer)
    if value is None:
        value = int(trailer, 16) if trailer.startswith('0x') else int(trailer, 10)
    data[-4:] = struct.pack('<I', value & 0xFFFFFFFF)
    Path(image_path).write_bytes(bytes(data))


def build_image(case, klink_cmd, runtime, out_path, work_dir):
    """Links `case` onto `runtime` into `out_path` with the klink command
    line prefix `klink_cmd` (a list; klink.exe is run through wine)."""
    source = case.path
    extra = []
    if case.image.code is not None:
        source = Path(work_dir) / 'code.bin'
        source.write_bytes(case.image.code)
        extra = ['--raw']
    cmd = list(klink_cmd) + ['-r', str(runtime)] + extra + [str(source), '-o', str(out_path)]
    result = subprocess.run(cmd, stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
    if result.returncode != 0:
        raise ImageError(f'klink failed ({result.returncode}): {" ".join(cmd)}\n'
                         + result.stderr.decode('latin-1', 'replace'))
    if case.image.trailer is not None:
        patch_trailer(out_path, case.image.trailer)
    return Path(out_path)
