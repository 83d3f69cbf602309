"""Running one end-to-end case, under Wine or natively, and judging it.

Wine mode: the case is linked onto kestrel.exe as <area>-<name>.exe in a
fresh temporary directory and started with `wine` in an empty run
directory of its own (the program file lives outside it). Expected message
boxes are observed and answered with kspy.exe; a driver <name>.py runs
beside the program. Native mode: the case is linked onto a stub runtime and
run by kestrel-run(-asan) the same way. In both modes a setup hook
<name>.setup.py runs in the run directory before the program and a check
hook <name>.check.py after it.
"""
import dataclasses
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path

import hooks
import images
from kspy import Kspy, KspyError

HARNESS_DIR = Path(__file__).resolve().parent


@dataclass
class Settings:
    mode: str                      # 'wine' or 'native'
    klink: list                    # command prefix that runs klink
    runtime: Path = None           # kestrel.exe (wine mode)
    runner: Path = None            # kestrel-run or kestrel-run-asan (native mode)
    kspy: Path = None              # kspy.exe (wine mode)
    wine_env: object = None        # winenv.WineEnv, attached (wine mode)
    time_scale: float = 1.0        # multiplies every time limit
    keep: bool = False             # keep the temporary directory


@dataclass
class Outcome:
    stdout: bytes = b''
    stderr: bytes = b''
    exit_code: int = None
    timed_out: bool = False
    elapsed: float = 0.0
    problems: list = field(default_factory=list)   # failure messages
    notes: list = field(default_factory=list)      # shown with a failure


def program_name(case):
    safe = ''.join(c if c.isalnum() or c in '-_' else '_' for c in f'{case.area}-{case.name}')
    return f'{safe}.exe'


def prepare_run_dir(case, run_dir, support_dir=None):
    """Fills the run directory with the fixture files of the case and the
    support programs it names (built into <build>/support/). Returns the
    names of missing support programs."""
    missing = []
    for name in case.support:
        source = support_dir / name if support_dir else None
        if source is None or not source.is_file():
            missing.append(name)
            continue
        shutil.copy2(source, run_dir / name)
    if case.fixture_dir:
        shutil.copytree(case.fixture_dir, run_dir, dirs_exist_ok=True)
    for name, content in case.files.items():
        target = run_dir / name
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(content)
    return missing


def kill_group(proc):
    if proc.poll() is None:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    try:
        proc.wait(timeout=30)
    except subprocess.TimeoutExpired:
        pass


class BoxWatcher(threading.Thread):
    """Answers the expected message boxes in order, then (unless a driver
    plays the user) reports any further box as unexpected."""

    def __init__(self, spy, boxes, deadline, time_scale, watch_extra):
        super().__init__(daemon=True)
        self.spy, self.boxes, self.deadline = spy, boxes, deadline
        self.time_scale, self.watch_extra = time_scale, watch_extra
        self.observed, self.problems = [], []
        self.answered = 0

    def remaining_ms(self):
        return max(100, int((self.deadline - time.monotonic()) * 1000))

    def run(self):
        try:
            for index, want in enumerate(self.boxes, start=1):
                try:
                    got = self.spy.box(self.remaining_ms(), press=want.press, id=want.press_id)
                except KspyError as e:
                    got = getattr(e, 'box', None)
                    if got:
                        self.observed.append(got)
                    self.problems.append(f'box {index}: {e}; expected {want.describe()}'
                                         + (f'; observed {describe_observed(got)}' if got else ''))
                    return
                if got is None:
                    return          # reported by the caller
                self.observed.append(got)
                self.answered = index
                if got.get('caption') != want.caption or got.get('text') != want.text:
                    self.problems.append(f'box {index}: expected caption={want.caption!r} '
                                         f'text={want.text!r}; observed {describe_observed(got)}')
            if self.watch_extra:
                extra = self.spy.box(self.remaining_ms())
                if extra is not None:
                    self.observed.append(extra)
                    self.problems.append(f'unexpected box: {describe_observed(extra)}')
        except Exception as e:  # a broken watcher must fail the case, not hang it
            self.problems.append(f'box watcher failed: {e!r}')


def describe_observed(box):
    buttons = [b.get('text') for b in box.get('buttons', [])]
    return f'caption={box.get("caption")!r} text={box.get("text")!r} buttons={buttons!r}'


def program_environment(case, settings):
    """The environment of the program under test: Wine's (wine mode) or
    the harness's own, with the `; env:` settings of the case."""
    env = settings.wine_env.environment() if settings.mode == 'wine' else dict(os.environ)
    env.update(case.env)
    return env


def helper_environment(case, settings, program, run_dir):
    """The environment of a driver or hook: the program's, plus where the
    program and its run directory are and the harness on PYTHONPATH."""
    env = program_environment(case, settings)
    env.update(KESTREL_E2E_PROGRAM=program.name, KESTREL_E2E_RUN_DIR=str(run_dir),
               KESTREL_E2E_MODE=settings.mode,
               PYTHONPATH=os.pathsep.join(filter(None, [str(HARNESS_DIR), env.get('PYTHONPATH')])))
    if settings.kspy:
        env['KESTREL_KSPY'] = str(settings.kspy)
    return env


def run_hook(hook, env, run_dir, work_dir, limit, outcome):
    """Runs a setup or check hook; a failure (exit code other than 0, or
    the time limit) becomes a problem of the case, with the hook's output."""
    log_path = work_dir / (hook.name + '.log')
    with open(log_path, 'wb') as log:
        proc = subprocess.Popen([sys.executable, str(hook)], cwd=run_dir, env=env,
                                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                start_new_session=True)
        try:
            rc = proc.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            kill_group(proc)
            rc = f'killed after {limit:.0f} s'
    if rc != 0:
        text = log_path.read_text('utf-8', 'replace').rstrip()
        outcome.problems.append(f'{hook.name} failed: exit {rc}'
                                + ('\n    ' + text.replace('\n', '\n    ') if text else ''))
        return False
    return True


def run_wine(case, settings, program, run_dir, work_dir, outcome):
    env = program_environment(case, settings)
    limit = case.timeout * settings.time_scale
    out_path, err_path = work_dir / 'stdout', work_dir / 'stderr'
    driver_proc = watcher = None
    spy = Kspy(settings.kspy, env, program.name)
    with open(out_path, 'wb') as out, open(err_path, 'wb') as err:
        started = time.monotonic()
        proc = subprocess.Popen([*settings.wine_env.loader, str(program), *case.args],
                                cwd=run_dir, env=env,
                                stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                start_new_session=True)
        deadline = started + limit
        if case.boxes:
            watcher = BoxWatcher(spy, case.boxes, deadline, settings.time_scale,
                                 watch_extra=case.driver is None)
            watcher.start()
        if case.driver is not None:
            driver_env = helper_environment(case, settings, program, run_dir)
            driver_log = open(work_dir / 'driver.log', 'wb')
            driver_proc = subprocess.Popen([sys.executable, str(case.driver)], cwd=run_dir,
                                           env=driver_env, stdin=subprocess.DEVNULL,
                                           stdout=driver_log, stderr=subprocess.STDOUT,
                                           start_new_session=True)
        try:
            outcome.exit_code = proc.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            outcome.timed_out = True
            outcome.problems.append(f'time limit of {limit:.0f} s exceeded')
            probe = Kspy(settings.kspy, env, program.name)  # the watcher may hold `spy`
            open_windows = describe_open_windows(probe)
            if open_windows:
                outcome.notes.append('windows of the program at the time-out:\n' + open_windows)
            kill_group(proc)
            probe.kill()
        outcome.elapsed = time.monotonic() - started
    if driver_proc is not None:
        grace = max(5.0, deadline - time.monotonic()) if not outcome.timed_out else 0.1
        try:
            rc = driver_proc.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            kill_group(driver_proc)
            rc = 'killed (did not finish)'
        driver_log.close()
        log_text = (work_dir / 'driver.log').read_text('utf-8', 'replace')
        if rc != 0:
            outcome.problems.append(f'driver {case.driver.name} failed: exit {rc}')
        if log_text.strip() and (rc != 0 or outcome.problems):
            outcome.notes.append('driver output:\n' + log_text.rstrip())
    if watcher is not None:
        # The last box may still be closing when the program ends: give the
        # watcher a moment to finish its answer before cancelling it.
        grace_end = time.monotonic() + 10 * settings.time_scale
        while (watcher.is_alive() and watcher.answered < len(case.boxes)
               and not outcome.timed_out and time.monotonic() < grace_end):
            watcher.join(0.2)
        spy.cancel()
        watcher.join(60)
        outcome.problems.extend(watcher.problems)
        if watcher.answered < len(case.boxes) and not watcher.problems:
            missing = case.boxes[watcher.answered]
            outcome.problems.append(f'box {watcher.answered + 1} did not appear: '
                                    f'expected {missing.describe()}')
        if watcher.observed and outcome.problems:
            outcome.notes.append('boxes observed:\n' + '\n'.join(
                f'  {describe_observed(b)}' for b in watcher.observed))
    outcome.stdout, outcome.stderr = out_path.read_bytes(), err_path.read_bytes()


def describe_open_windows(spy):
    try:
        windows = spy.list()
    except Exception as e:
        return f'  (kspy list failed: {e})'
    lines = []
    for w in windows:
        if not w.get('visible'):
            continue
        lines.append(f'  {w.get("hwnd")} class={w.get("class")!r} title={w.get("title")!r}')
        if w.get('class') == '#32770':
            try:
                for child in spy.children(w['hwnd']):
                    if child.get('text'):
                        lines.append(f'    {child.get("class")} {child.get("text")!r}')
            except Exception:
                pass
    return '\n'.join(lines)


def run_native(case, settings, program, run_dir, work_dir, outcome):
    limit = case.timeout * settings.time_scale
    env = program_environment(case, settings)
    env.setdefault('ASAN_OPTIONS', 'detect_leaks=1')
    env.setdefault('UBSAN_OPTIONS', 'print_stacktrace=1')
    started = time.monotonic()
    with open(work_dir / 'stdout', 'wb') as out, open(work_dir / 'stderr', 'wb') as err:
        proc = subprocess.Popen([str(settings.runner), str(program), *case.args], cwd=run_dir,
                                env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                start_new_session=True)
        try:
            outcome.exit_code = proc.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            outcome.timed_out = True
            outcome.problems.append(f'time limit of {limit:.0f} s exceeded')
            kill_group(proc)
    outcome.elapsed = time.monotonic() - started
    outcome.stdout = (work_dir / 'stdout').read_bytes()
    outcome.stderr = (work_dir / 'stderr').read_bytes()


def judge(case, outcome, run_dir):
    """Adds a problem for every expectation the outcome misses."""
    if not outcome.timed_out and outcome.exit_code != case.exit_code:
        outcome.problems.append('exit code differs')
    expected = case.expected_stdout
    if outcome.stdout != expected:
        outcome.problems.append(f'stdout differs\n    expected {expected!r}\n    actual   {outcome.stdout!r}')
    if case.check_stderr:
        want = case.expected_stderr or b''
        if outcome.stderr != want:
            outcome.problems.append(f'stderr differs\n    expected {want!r}\n    actual   {outcome.stderr!r}')
    for name, want in case.expect_files.items():
        path = run_dir / name
        got = path.read_bytes() if path.is_file() else None
        if got != want:
            outcome.problems.append(f'file {name}: expected {want!r}, actual '
                                    + (repr(got) if got is not None else '(missing)'))


def remove_work_dir(work_dir):
    try:
        shutil.rmtree(work_dir)
    except OSError:
        # immutable read-only fixtures of a setup hook (hooks.make_read_only)
        hooks.release_read_only(work_dir)
        shutil.rmtree(work_dir, ignore_errors=True)


def run_case(case, settings):
    """Runs `case`; returns an Outcome whose `problems` is empty on success."""
    outcome = Outcome()
    work_dir = Path(tempfile.mkdtemp(prefix=f'kestrel-e2e-{case.area}-{case.name}-'))
    run_dir = work_dir / 'run'
    run_dir.mkdir()
    program = work_dir / program_name(case)
    try:
        runtime = settings.runtime if settings.mode == 'wine' else images.stub_runtime(
            work_dir / 'stub-runtime.exe')
        if case.runtime == 'trace':
            # The tracing flavour sits beside the product runtime or runner.
            if settings.mode == 'wine':
                runtime = runtime.with_name('kestrel-trace.exe')
            else:
                settings = dataclasses.replace(settings, runner=settings.runner.with_name('kestrel-trace'))
            if not (runtime if settings.mode == 'wine' else settings.runner).is_file():
                outcome.problems.append(f'no tracing runtime beside {settings.runtime or settings.runner}')
                return outcome
        try:
            images.build_image(case, settings.klink, runtime, program, work_dir)
        except images.ImageError as e:
            outcome.problems.append(str(e))
            return outcome
        support_dir = settings.runtime.parent / 'support' if settings.runtime else None
        missing = prepare_run_dir(case, run_dir, support_dir)
        if missing:
            outcome.problems.append(f'support programs not built: {", ".join(missing)} '
                                    f'(looked in {support_dir})')
            return outcome
        limit = case.timeout * settings.time_scale
        if case.setup_hook and not run_hook(case.setup_hook,
                                            helper_environment(case, settings, program, run_dir),
                                            run_dir, work_dir, limit, outcome):
            return outcome
        if settings.mode == 'wine':
            run_wine(case, settings, program, run_dir, work_dir, outcome)
        else:
            run_native(case, settings, program, run_dir, work_dir, outcome)
        if case.check_hook and not outcome.timed_out:
            # The hook may rewrite the captured stdout before it is compared.
            env = helper_environment(case, settings, program, run_dir)
            env.update(KESTREL_E2E_STDOUT=str(work_dir / 'stdout'),
                       KESTREL_E2E_EXIT_CODE=str(outcome.exit_code))
            run_hook(case.check_hook, env, run_dir, work_dir, limit, outcome)
            outcome.stdout = (work_dir / 'stdout').read_bytes()
        judge(case, outcome, run_dir)
        if outcome.problems and outcome.stderr and not case.check_stderr:
            outcome.notes.append(f'stderr: {outcome.stderr!r}')
        return outcome
    finally:
        if settings.keep:
            outcome.notes.append(f'kept {work_dir}')
        else:
            remove_work_dir(work_dir)


def report(case, mode, outcome, stream=sys.stdout):
    label = f'e2e{"-native" if mode == "native" else ""}/{case.id}'
    if not outcome.problems:
        print(f'PASS {label} ({outcome.elapsed:.1f} s)', file=stream)
        return True
    print(f'FAIL {label} ({outcome.elapsed:.1f} s) {case.path}', file=stream)
    for problem in outcome.problems:
        print(f'  {problem}', file=stream)
    print(f'  exit code: expected {case.exit_code}, actual '
          f'{"(killed)" if outcome.timed_out else outcome.exit_code}', file=stream)
    for note in outcome.notes:
        print('  ' + note.replace('\n', '\n  '), file=stream)
    return False
