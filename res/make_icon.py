#!/usr/bin/env python3
"""Draws the Kestrel icon (res/kestrel.ico): a hovering kestrel seen from
below, orange with dark wing tips, on a deep-blue disk. Sizes 16, 24, 32 and
48 pixels, 32-bit colour with alpha. Standard library only.

    python3 res/make_icon.py [OUTPUT.ico]
"""
import struct
import sys
from pathlib import Path

SIZES = (16, 24, 32, 48)
SUPERSAMPLE = 4

# Shapes in unit coordinates (x right, y down).
BIRD = [
    (0.50, 0.15), (0.545, 0.19), (0.56, 0.29),    # head, right shoulder
    (0.75, 0.22), (0.97, 0.27),                   # right leading edge, tip
    (0.81, 0.38), (0.64, 0.51), (0.565, 0.60),    # trailing edge, hip
    (0.67, 0.86), (0.60, 0.91), (0.40, 0.91),     # tail fan
    (0.33, 0.86), (0.435, 0.60),                  # left hip
    (0.36, 0.51), (0.19, 0.38), (0.03, 0.27),     # left trailing edge, tip
    (0.25, 0.22), (0.44, 0.29), (0.455, 0.19),    # left leading edge, shoulder
]
# Dark wing tips and tail band: drawn where they overlap the bird.
MARKS = [
    [(0.80, 0.15), (1.00, 0.20), (1.00, 0.45), (0.86, 0.40)],
    [(0.20, 0.15), (0.00, 0.20), (0.00, 0.45), (0.14, 0.40)],
    [(0.30, 0.82), (0.70, 0.82), (0.70, 0.87), (0.30, 0.87)],
]
DISK_CENTRE, DISK_RADIUS = (0.5, 0.5), 0.49

SKY = (0x1F, 0x4E, 0x79)
BODY = (0xE8, 0x83, 0x3A)
TIPS = (0x4A, 0x24, 0x0A)


def inside(poly, x, y):
    """Even-odd point-in-polygon test."""
    hit = False
    j = len(poly) - 1
    for i, (xi, yi) in enumerate(poly):
        xj, yj = poly[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def colour_at(x, y):
    """RGBA of one sample point, or None outside the disk."""
    dx, dy = x - DISK_CENTRE[0], y - DISK_CENTRE[1]
    if dx * dx + dy * dy > DISK_RADIUS * DISK_RADIUS:
        return None
    if inside(BIRD, x, y):
        return TIPS if any(inside(m, x, y) for m in MARKS) else BODY
    return SKY


def render(size):
    """Rows of (r, g, b, a) tuples, top row first, with supersampling."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c is not None:
                        covered += 1
                        for k in range(3):
                            acc[k] += c[k]
            if covered:
                row.append(tuple(round(v / covered) for v in acc) + (round(255 * covered / (n * n)),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(size):
    """The icon image as a 32-bit DIB with its AND mask."""
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico(sizes):
    images = [dib(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name('kestrel.ico')
    target.write_bytes(ico(SIZES))
    print(f'{target}: {target.stat().st_size} bytes, sizes {SIZES}')


if __name__ == '__main__':
    main()
