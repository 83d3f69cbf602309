#!/usr/bin/env python3
"""Converts an xwd screen dump (ZPixmap, 24 or 32 bits per pixel, as Xvfb
writes it) to a PNG cut to the part that is not background (the colour of
the top-left pixel): the windows on the desktop.
Usage: xwd_to_png.py IN.xwd OUT.png"""
import struct
import sys
import zlib


def read_xwd(data):
    header = struct.unpack('>25I', data[:100])
    header_size, ncolors = header[0], header[19]
    width, height = header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    if bits_per_pixel not in (24, 32):
        sys.exit(f'xwd_to_png: {bits_per_pixel} bits per pixel not handled')
    pixels = data[header_size + ncolors * 12:]
    step = bits_per_pixel // 8
    rows = []
    for y in range(height):
        line = pixels[y * bytes_per_line: y * bytes_per_line + width * step]
        row = bytearray()
        for x in range(0, width * step, step):
            b, g, r = (line[x], line[x + 1], line[x + 2]) if byte_order == 0 else \
                (line[x + step - 1], line[x + step - 2], line[x + step - 3])
            row += bytes((r, g, b))
        rows.append(bytes(row))
    return width, height, rows


def crop(width, height, rows):
    black = rows[0][:3]  # the background
    used_rows = [y for y in range(height) if rows[y] != black * width]
    if not used_rows:
        return width, height, rows
    top, bottom = used_rows[0], used_rows[-1] + 1
    left, right = width, 0
    for y in range(top, bottom):
        for x in range(width):
            if rows[y][3 * x:3 * x + 3] != black:
                left = min(left, x)
                break
        for x in range(width - 1, -1, -1):
            if rows[y][3 * x:3 * x + 3] != black:
                right = max(right, x + 1)
                break
    return right - left, bottom - top, [r[3 * left:3 * right] for r in rows[top:bottom]]


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    raw = b''.join(b'\0' + r for r in rows)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(raw, 9)))
        f.write(chunk(b'IEND', b''))


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], 'rb') as f:
        w, h, rows = read_xwd(f.read())
    write_png(sys.argv[2], *crop(w, h, rows))
