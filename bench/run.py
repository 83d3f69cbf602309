#!/usr/bin/env python3
"""Runs the benchmark workloads with Kestrel, Tcl and Python and prints one
table of medians, ratios and peak memory.

  python3 bench/run.py [--runner build/native/kestrel-run] [--runs N]
                       [--win32-build build/win32 --klink build/native/klink]
                       [--only count,jumps] [--no-wine]

Each workload is bench/workloads/<name>.kil with its peers <name>.tcl and
<name>.py; all three print a checksum, and a run whose output differs from
the others' is reported as a failure (exit code 1). Every program runs in
one scratch directory that holds the input file of the `lines` workload.

Times are wall-clock medians of N runs of the whole process, start-up
included; the `startup` row is an empty program, for reference. Peak memory
is the largest resident set of one more run, as GNU time reports it. The 32-bit
runtime is linked with klink and run under Wine on the same workloads for
the record (Wine's own start-up is in its times). Finally the bytes per
element of a 1,000,000-element array are measured from the peak memory of
the native runner with and without the array.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
WORKLOADS = HERE / 'workloads'
HARNESS = ROOT / 'tests' / 'e2e' / 'harness'

ORDER = ['count', 'build', 'array', 'calls', 'text', 'jumps', 'lines']
# Workloads where Kestrel is to be no slower than Python as well as Tcl.
PYTHON_TARGETS = {'count', 'array', 'calls', 'jumps'}

LINES = 100_000
ARRAY_ELEMENTS = 1_000_000


class Failure(Exception):
    pass


def write_inputs(run_dir):
    """The input of the lines workload: 100,000 lines ended by CR LF."""
    with open(run_dir / 'lines.txt', 'wb') as f:
        for i in range(1, LINES + 1):
            f.write(b'line %06d of the benchmark file\r\n' % i)


def run_once(cmd, run_dir, env=None, timeout=600):
    """Runs `cmd` once; returns (seconds, rusage, exit code, stdout)."""
    with tempfile.TemporaryFile() as out:
        started = time.perf_counter()
        proc = subprocess.Popen(cmd, cwd=run_dir, env=env, stdin=subprocess.DEVNULL,
                                stdout=out, stderr=subprocess.DEVNULL)
        deadline = started + timeout
        while True:
            pid, status, usage = os.wait4(proc.pid, os.WNOHANG)
            if pid:
                break
            if time.perf_counter() > deadline:
                proc.kill()
                raise Failure(f'{cmd[0]} timed out after {timeout} s')
            time.sleep(0.0005)
        elapsed = time.perf_counter() - started
        proc.returncode = os.waitstatus_to_exitcode(status)
        out.seek(0)
        return elapsed, usage, proc.returncode, out.read()


GNU_TIME = shutil.which('time', path='/usr/bin:/bin') or None


def peak_memory(cmd, run_dir, env=None):
    """Peak resident KiB of one run of `cmd`, read by GNU time: the child's
    own resident maximum is not visible through getrusage from here, since
    Linux carries the high-water mark of the forked parent across exec."""
    if not GNU_TIME:
        return None
    with tempfile.NamedTemporaryFile('r') as report:
        code = subprocess.run([GNU_TIME, '-f', '%M', '-o', report.name, *map(str, cmd)],
                              cwd=run_dir, env=env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
        lines = report.read().split()
    return int(lines[-1]) if code == 0 and lines else None


def measure(cmd, run_dir, runs, env=None):
    """Median seconds, peak KiB and the output of `runs` runs; the output
    must be the same every time."""
    times, output = [], None
    for _ in range(runs):
        elapsed, _, code, out = run_once(cmd, run_dir, env)
        if code != 0:
            raise Failure(f'{" ".join(map(str, cmd))} exited with {code}')
        if output is not None and out != output:
            raise Failure(f'{" ".join(map(str, cmd))} printed different outputs')
        output = out
        times.append(elapsed)
    return statistics.median(times), peak_memory(cmd, run_dir, env), output


def real_python(name):
    """The interpreter behind `name` (a version-manager shim would add its
    own start-up to every run)."""
    found = shutil.which(name)
    if not found:
        return None
    out = subprocess.run([found, '-c', 'import sys; print(sys.executable)'],
                         capture_output=True, text=True)
    return out.stdout.strip() or found


def version_of(cmd, tcl=False):
    if tcl:
        out = subprocess.run([cmd], input='puts [info patchlevel]', capture_output=True, text=True)
        return 'Tcl ' + out.stdout.strip()
    out = subprocess.run([cmd, '--version'], capture_output=True, text=True)
    return (out.stdout or out.stderr).strip()


class Wine:
    """Links the workloads onto the 32-bit runtime and runs them under Wine,
    in the environment of the end-to-end harness."""

    def __init__(self, build_dir, klink, work_dir):
        sys.path.insert(0, str(HARNESS))
        from winenv import WineEnv  # noqa: E402
        self.build_dir = Path(build_dir)
        self.runtime = self.build_dir / 'kestrel.exe'
        self.klink = klink
        self.work_dir = work_dir
        self.env = WineEnv(self.build_dir).attach()

    def program(self, script):
        image = self.work_dir / f'{script.stem}.exe'
        result = subprocess.run([str(self.klink), '-r', str(self.runtime), str(script),
                                 '-o', str(image)], capture_output=True, text=True)
        if result.returncode != 0:
            raise Failure(f'klink failed on {script.name}: {result.stderr.strip()}')
        return [*self.env.loader, str(image)]

    def close(self):
        self.env.detach()


def fmt_time(seconds):
    return '-' if seconds is None else f'{seconds * 1000:.0f}'


def fmt_ratio(a, b):
    return '-' if a is None or b is None or b == 0 else f'{a / b:.2f}'


def array_bytes_per_element(runner, run_dir, scratch):
    """Peak memory of a 1,000,000-element array beyond that of one element,
    declared only and filled with the element numbers."""
    def script(name, size, fill):
        lines = ["RRLR'2.1'", f"R000[70'{size}']"]
        if fill:
            lines += ["R001[63]'1'", 'RRPT', 'R001[70[63]][63]', "R001[63][63]+'1'",
                      f"RUNT[63]>'{size}'"]
        lines.append('RHLT')
        path = scratch / f'{name}.kil'
        path.write_text('\n'.join(lines) + '\n')
        return path
    results = {}
    for fill in (False, True):
        base = peak_memory([runner, script('one', 1, fill)], run_dir)
        big = peak_memory([runner, script('million', ARRAY_ELEMENTS, fill)], run_dir)
        results[fill] = None if base is None or big is None else \
            (big - base) * 1024 / ARRAY_ELEMENTS
    return results


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--runner', default=str(ROOT / 'build/native/kestrel-run'))
    parser.add_argument('--runs', type=int, default=5)
    parser.add_argument('--tclsh', default=None)
    parser.add_argument('--python', default='python3')
    parser.add_argument('--win32-build', default=str(ROOT / 'build/win32'))
    parser.add_argument('--klink', default=str(ROOT / 'build/native/klink'))
    parser.add_argument('--no-wine', action='store_true')
    parser.add_argument('--only', help='comma-separated workload names')
    args = parser.parse_args(argv)

    runner = Path(args.runner).resolve()
    if not runner.is_file():
        sys.exit(f'bench: no runner at {runner}')
    tclsh = args.tclsh or shutil.which('tclsh') or shutil.which('tclsh8.6')
    python = real_python(args.python)
    if not tclsh or not python:
        sys.exit('bench: tclsh and python3 are needed')
    names = args.only.split(',') if args.only else ORDER
    for name in names:
        if not (WORKLOADS / f'{name}.kil').is_file():
            sys.exit(f'bench: no workload {name}')

    print(f'Kestrel: {runner}')
    print(f'Tcl:     {tclsh} ({version_of(tclsh, tcl=True)})')
    print(f'Python:  {python} ({version_of(python)})')
    print(f'{args.runs} runs each; times are medians in ms, start-up included\n')

    failures = []
    rows = []
    with tempfile.TemporaryDirectory(prefix='kestrel-bench-') as tmp:
        scratch = Path(tmp)
        run_dir = scratch / 'run'
        run_dir.mkdir()
        write_inputs(run_dir)
        (scratch / 'startup.kil').write_text("RRLR'2.1'\nRHLT\n")
        (scratch / 'startup.tcl').write_text('')
        (scratch / 'startup.py').write_text('')

        wine = None
        wine_note = ''
        if not args.no_wine:
            build = Path(args.win32_build)
            if (build / 'kestrel.exe').is_file() and Path(args.klink).is_file():
                try:
                    wine = Wine(build, Path(args.klink).resolve(), scratch)
                except Exception as e:  # no Wine environment: the column stays empty
                    wine_note = f'Wine not available: {e}'
            else:
                wine_note = f'no {build / "kestrel.exe"} or klink: Wine column skipped'

        try:
            for name in ['startup'] + names:
                folder = scratch if name == 'startup' else WORKLOADS
                kil, tcl, py = (folder / f'{name}.{ext}' for ext in ('kil', 'tcl', 'py'))
                row = {'name': name}
                try:
                    row['k'], row['k_peak'], k_out = measure([runner, kil], run_dir, args.runs)
                    row['t'], row['t_peak'], t_out = measure([tclsh, tcl], run_dir, args.runs)
                    row['p'], row['p_peak'], p_out = measure([python, py], run_dir, args.runs)
                    if not (k_out.split() == t_out.split() == p_out.split()):
                        raise Failure(f'{name}: checksums differ: Kestrel {k_out!r}, '
                                      f'Tcl {t_out!r}, Python {p_out!r}')
                    row['sum'] = k_out.decode('latin-1').strip()
                    if wine:
                        program = wine.program(kil)
                        row['w'], row['w_peak'], w_out = measure(program, run_dir, args.runs,
                                                                 wine.env.environment())
                        if w_out.split() != k_out.split():
                            raise Failure(f'{name}: Wine printed {w_out!r}, native {k_out!r}')
                except Failure as e:
                    failures.append(str(e))
                rows.append(row)
                print(f'  {name}: done', file=sys.stderr, flush=True)
            per_element = array_bytes_per_element(runner, run_dir, scratch)
        finally:
            if wine:
                wine.close()

    header = (f'{"workload":<9} {"Kestrel":>8} {"Tcl":>7} {"Python":>7} {"K/Tcl":>6} '
              f'{"K/Py":>6} {"Wine32":>7}   {"peak KiB: Kestrel":>17} {"Tcl":>6} {"Python":>6}  '
              f'checksum')
    print(header)
    print('-' * len(header))
    met, missed = [], []
    for row in rows:
        k, t, p = row.get('k'), row.get('t'), row.get('p')
        print(f'{row["name"]:<9} {fmt_time(k):>8} {fmt_time(t):>7} {fmt_time(p):>7} '
              f'{fmt_ratio(k, t):>6} {fmt_ratio(k, p):>6} {fmt_time(row.get("w")):>7}   '
              f'{row.get("k_peak") or "-":>17} {row.get("t_peak") or "-":>6} '
              f'{row.get("p_peak") or "-":>6}  {row.get("sum", "")}')
        if row['name'] == 'startup' or k is None:
            continue
        goals = [('Tcl', t)] + ([('Python', p)] if row['name'] in PYTHON_TARGETS else [])
        for peer, value in goals:
            (met if k <= value else missed).append(f'{row["name"]} vs {peer}')
    print()
    print(f'targets met:    {", ".join(met) or "none"}')
    print(f'targets missed: {", ".join(missed) or "none"}')
    if None in per_element.values():
        print('bytes per element: GNU time (/usr/bin/time) is needed')
    else:
        print(f'bytes per element of a {ARRAY_ELEMENTS:,}-element array (native runner): '
              f'{per_element[False]:.0f} declared, {per_element[True]:.0f} filled with '
              f'its numbers')
    if wine_note:
        print(wine_note)
    for failure in failures:
        print(f'FAILED: {failure}')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
