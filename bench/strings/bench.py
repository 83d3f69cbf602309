#!/usr/bin/env python3
"""Times the searching text commands on texts of 1 MB and 2 MB.

  python3 bench/strings/bench.py KESTREL_RUN [--repeat N]

For each command and input shape it writes a Kestrel listing that builds
the text by doubling, then runs the command N times; the same listing
without the command is the baseline, and the difference divided by N is
the time of one command. Search texts are of two lengths: 1000 bytes, and
half the text (where a quadratic scan would show at once). The texts are
runs of 'a' with a final 'b' in the search text: the hardest input for a
plain scan, since every position matches almost all the way. Linear time
shows as a 2 MB / 1 MB ratio near 2.
"""
import argparse
import subprocess
import sys
import tempfile
import time
from pathlib import Path

BASE_DOUBLINGS = 17   # 8 bytes doubled 17 times: 1 MiB

# name, setup lines run once after the text is built, the command line.
# Variable 62 holds the text, 70 the search text.
CASES = [
    ('RF02 find, no match', 'RF02[63][62][70]\'1\''),
    ('RF02 find, n-th of every a', 'RF02[63][62]\'a\'\'2147483647\''),
    ('RF14 count, overlapping', 'RF14[63][62][71]'),
    ('RF14 count, no match', 'RF14[63][62][70]'),
    ('RF11 replace, no match', 'RF11[63][62][70]\'x\''),
    ('RF11 replace every a', 'RF11[63][62]\'a\'\'bb\''),
    ('RF10 field, no separator', 'RF10[63][62][70]\'2\''),
]
CASE_MODES = [('', 'exact'), ("R001[45]'0'", 'ignore case')]
SEARCH_LENGTHS = [('1000', None), ('half', 2)]


def listing(doublings, search, case_setting, command, repeat):
    """A listing that builds the text and runs `command` `repeat` times."""
    lines = [
        "R001[62]'aaaaaaaa'",
        "R001[80]'0'",
        "RRPT",
        "R001[62][62]#[62]",
        "R001[80][80]+'1'",
        f"RUNT[80]='{doublings}'",
        "RF07[81][62]",
    ]
    if search == '1000':
        lines.append("R001[70]'" + 'a' * 999 + "b'")
        lines.append("R001[71]'" + 'a' * 1000 + "'")
    else:
        lines.append("RF08[70][62]'1'[81]/'2'")
        lines.append("R001[71][70]")
        lines.append("R001[70][70]#'b'")
    if case_setting:
        lines.append(case_setting)
    if command and repeat:
        lines += ["R001[80]'0'", "RRPT", command, "R001[80][80]+'1'", f"RUNT[80]='{repeat}'"]
    lines.append('RHLT')
    return '\n'.join(lines) + '\n'


def run_seconds(runner, text, tries=3):
    """Least wall time of `tries` runs of the listing `text`."""
    with tempfile.NamedTemporaryFile('w', suffix='.kil', delete=False) as f:
        f.write(text)
        path = f.name
    try:
        best = None
        for _ in range(tries):
            start = time.perf_counter()
            subprocess.run([runner, path], check=True, stdout=subprocess.DEVNULL)
            elapsed = time.perf_counter() - start
            best = elapsed if best is None else min(best, elapsed)
        return best
    finally:
        Path(path).unlink()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('runner', help='path of kestrel-run (the optimised build)')
    parser.add_argument('--repeat', type=int, default=5)
    args = parser.parse_args()
    print(f"{'command':32} {'search':6} {'case':12} {'1 MB ms':>9} {'2 MB ms':>9} {'ratio':>6}")
    for search, _ in SEARCH_LENGTHS:
        for setting, mode in CASE_MODES:
            baselines = {d: run_seconds(args.runner, listing(d, search, setting, None, 0))
                         for d in (BASE_DOUBLINGS, BASE_DOUBLINGS + 1)}
            for name, command in CASES:
                per_command = []
                for d in (BASE_DOUBLINGS, BASE_DOUBLINGS + 1):
                    total = run_seconds(args.runner, listing(d, search, setting, command, args.repeat))
                    per_command.append(max(total - baselines[d], 0.0) / args.repeat * 1000)
                ratio = per_command[1] / per_command[0] if per_command[0] > 0 else float('nan')
                print(f'{name:32} {search:6} {mode:12} {per_command[0]:9.2f} {per_command[1]:9.2f} '
                      f'{ratio:6.2f}', flush=True)
    return 0


if __name__ == '__main__':
    sys.exit(main())
