#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets, tests/fuzz/corpus/<target>/,
from the end-to-end scripts: whole scripts as images, their operand lines
for the evaluator, the texts inside their brackets as references and the
key texts of their key-sending lines; lists and menu descriptions are a
few written by hand. Run it again after scripts change
much; the corpus is small on purpose (libFuzzer grows its own working copy
in the build directory)."""
import hashlib
import re
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
E2E = HERE.parent / 'e2e'
CORPUS = HERE / 'corpus'


def code_of(listing):
    """The intermediate code of a listing: lines without comments, each
    followed by the separator byte."""
    lines = []
    for line in listing.split(b'\n'):
        line = line.rstrip(b'\r')
        if line.lstrip(b' \t').startswith(b';'):
            continue
        lines.append(line)
    while lines and not lines[-1]:
        lines.pop()
    return b''.join(line + b'\x01' for line in lines)


def image_of(code):
    """A minimal image: a two-byte stand-in for the runtime, the banner line,
    the code and the trailer with the code's offset."""
    head = b'MZ' + b'fuzz\r\n'
    return head + code + struct.pack('<I', len(head))


def references(code):
    """Texts inside the outer brackets of operands."""
    found = []
    for line in code.split(b'\x01'):
        depth, start = 0, None
        for i, c in enumerate(line):
            if c == ord('['):
                if depth == 0:
                    start = i + 1
                depth += 1
            elif c == ord(']') and depth:
                depth -= 1
                if depth == 0:
                    found.append(line[start:i])
    return found


def write(target, items, limit):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    seen = set()
    for item in items:
        if item in seen or len(seen) >= limit:
            continue
        seen.add(item)
        (folder / hashlib.sha1(item).hexdigest()[:16]).write_bytes(item)


def main():
    scripts = sorted(E2E.glob('*/*.kil'))
    codes = [code_of(p.read_bytes()) for p in scripts]
    small = [c for c in codes if len(c) <= 4096]
    write('image', [image_of(c) for c in small], 40)

    operand_lines = []
    for code in codes:
        for line in code.split(b'\x01'):
            if len(line) > 4 and line[:4].upper() not in (b'RLBL',):
                operand_lines.append(line[4:])
    # Several lines per seed so that one input covers many shapes.
    write('eval', [b'\x01'.join(operand_lines[i:i + 8]) for i in range(0, len(operand_lines), 8)], 60)

    refs = [r for code in codes for r in references(code)]
    write('reference', sorted(set(refs), key=lambda r: (-len(r), r)), 60)

    keys = []
    for code in codes:
        for line in code.split(b'\x01'):
            if line[:4].upper() == b'R033':
                parts = re.findall(rb"'([^']*)'", line)
                if len(parts) >= 2:
                    keys.append(parts[1])
    keys += [b'^(shift)abc', b'~(~~', b'(f1)(F12)(nokey)', b'^^(ctrl)(alt)x~', b'(unterminated']
    write('key-text', keys, 40)

    menus = [b'|File:Open|Save|-|Exit;Edit:Copy|Paste;', b'|A:B:C:D;;;', b';one;two;', b'|~:~;~|x~',
             b'|Help:About;', b',a,b,,c', b'|::::::::::::::::::::x;']
    write('menu-description', menus, 20)

    lists = [b'\x01|a|b|c', b'\x01|', b'\x02||a||b||', b'\x00abc', b'\x11;a;b;', b'\x23, x, y,z',
             b'\x09|', b'\x01||||', b'\x03<->a<->b<->']
    write('list-split', lists, 20)


if __name__ == '__main__':
    main()
