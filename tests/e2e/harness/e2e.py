#!/usr/bin/env python3
"""Kestrel end-to-end harness (see tests/e2e/README.md).

  e2e.py list                       cases as "<area>/<name> TAB <kind> TAB <seconds>"
  e2e.py setup   --build-dir B      start Xvfb and wineserver, make the prefix
  e2e.py cleanup --build-dir B      end them
  e2e.py run --mode wine   --build-dir B [--klink K] CASE.kil...
  e2e.py run --mode native --runner R --klink K CASE.kil...
  e2e.py exec --build-dir B [--klink K] SCRIPT [ARGS...]
                                    link SCRIPT, run it under Wine, pass its
                                    stdout/stderr and exit code through

Time limits are multiplied by KESTREL_E2E_TIME_SCALE (default 1, or 4 for a
win32 build where 32-bit programs run under emulation).
"""
import argparse
import math
import os
import subprocess
import sys
import tempfile
from pathlib import Path

HARNESS_DIR = Path(__file__).resolve().parent
sys.path.insert(0, str(HARNESS_DIR))

import cases as case_files  # noqa: E402
import images  # noqa: E402
import runner  # noqa: E402
from winenv import WineEnv  # noqa: E402

EXIT_SKIP = 77


def i386_emulated():
    try:
        return Path('/proc/sys/fs/binfmt_misc/qemu-i386').read_text().startswith('enabled')
    except OSError:
        return False


def time_scale(arch):
    configured = os.environ.get('KESTREL_E2E_TIME_SCALE')
    if configured:
        return float(configured)
    return 4.0 if arch == 'win32' and i386_emulated() else 1.0


def klink_command(args, build_dir, env):
    """The klink to link with: the native one when given and present,
    otherwise klink.exe of the Windows build through wine."""
    if args.klink and Path(args.klink).is_file():
        return [str(Path(args.klink).resolve())]
    exe = Path(build_dir) / 'klink.exe'
    if exe.is_file():
        return [*env.loader, str(exe.resolve())]
    sys.exit(f'e2e: no klink: neither {args.klink} nor {exe} exists')


def cmd_list(args):
    for path in sorted(case_files.E2E_ROOT.glob('*/*.kil')):
        name = f'{path.parent.name}/{path.stem}'
        try:
            case = case_files.load_case(path)
        except (case_files.CaseError, ValueError) as e:
            print(f'{name}\terror\t0\t{e}'.replace('\n', ' '))
            continue
        print(f'{name}\t{"windows" if case.needs_windows else "any"}\t{math.ceil(case.timeout)}')
    return 0


def wine_settings(args, env):
    build_dir = Path(args.build_dir).resolve()
    return runner.Settings(mode='wine', klink=klink_command(args, build_dir, env),
                           runtime=Path(args.runtime or build_dir / 'kestrel.exe'),
                           kspy=Path(args.kspy or build_dir / 'kspy.exe'),
                           wine_env=env, time_scale=time_scale(env.arch), keep=args.keep)


def cmd_run(args):
    env = None
    if args.mode == 'wine':
        env = WineEnv(args.build_dir).attach()
        settings = wine_settings(args, env)
    else:
        if not args.runner or not args.klink:
            sys.exit('e2e: native mode needs --runner and --klink')
        settings = runner.Settings(mode='native', klink=[str(Path(args.klink).resolve())],
                                   runner=Path(args.runner).resolve(),
                                   time_scale=time_scale('native'), keep=args.keep)
    failed = skipped = 0
    try:
        for path in args.cases:
            try:
                case = case_files.load_case(path)
            except (case_files.CaseError, ValueError) as e:
                print(f'FAIL {path}: {e}')
                failed += 1
                continue
            if args.mode == 'native' and case.needs_windows:
                print(f'SKIP e2e-native/{case.id}: needs Windows')
                skipped += 1
                continue
            if not runner.report(case, args.mode, runner.run_case(case, settings)):
                failed += 1
    finally:
        if env is not None:
            env.detach()
    if failed:
        return 1
    return EXIT_SKIP if skipped and skipped == len(args.cases) else 0


def cmd_setup(args):
    WineEnv(args.build_dir).setup()
    return 0


def cmd_cleanup(args):
    WineEnv(args.build_dir).cleanup()
    return 0


def cmd_exec(args):
    env = WineEnv(args.build_dir).attach()
    try:
        settings = wine_settings(args, env)
        script = Path(args.script).resolve()
        case = case_files.Case(path=script, area='run', name=script.stem)
        with tempfile.TemporaryDirectory(prefix='kestrel-run-') as tmp:
            program = Path(tmp) / f'{script.stem}.exe'
            images.build_image(case, settings.klink, settings.runtime, program, tmp)
            return subprocess.run([*env.loader, str(program), *args.args],
                                  env=env.environment(), stdin=subprocess.DEVNULL).returncode
    finally:
        env.detach()


def main(argv=None):
    parser = argparse.ArgumentParser(description='Kestrel end-to-end harness')
    sub = parser.add_subparsers(dest='command', required=True)

    def wine_options(p):
        p.add_argument('--build-dir', default='build/win32', help='the win32 build directory')
        p.add_argument('--klink', help='native klink (default: klink.exe of the build via wine)')
        p.add_argument('--runtime', help='runtime to link onto (default: BUILD/kestrel.exe)')
        p.add_argument('--kspy', help='kspy.exe (default: BUILD/kspy.exe)')
        p.add_argument('--keep', action='store_true', help='keep the temporary directories')

    sub.add_parser('list').set_defaults(func=cmd_list)
    p = sub.add_parser('run')
    wine_options(p)
    p.add_argument('--mode', choices=('wine', 'native'), default='wine')
    p.add_argument('--runner', help='kestrel-run or kestrel-run-asan (native mode)')
    p.add_argument('cases', nargs='+')
    p.set_defaults(func=cmd_run)
    for name, func in (('setup', cmd_setup), ('cleanup', cmd_cleanup)):
        p = sub.add_parser(name)
        p.add_argument('--build-dir', default='build/win32')
        p.set_defaults(func=func)
    p = sub.add_parser('exec')
    wine_options(p)
    p.add_argument('script')
    p.add_argument('args', nargs=argparse.REMAINDER)
    p.set_defaults(func=cmd_exec)

    args = parser.parse_args(argv)
    return args.func(args)


if __name__ == '__main__':
    sys.exit(main())
