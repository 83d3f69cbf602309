"""Python wrapper of kspy.exe, the window inspector, for the harness and for
case drivers (<name>.py beside a case).

A driver runs as its own process while the runtime runs, with the
environment the harness gives it:

    KESTREL_KSPY          path of kspy.exe
    KESTREL_E2E_PROGRAM   file name of the program under test (e.g. gui-ok.exe)
    KESTREL_E2E_RUN_DIR   the program's current directory
    WINEPREFIX, DISPLAY   the Wine environment

and uses this module:

    from kspy import Kspy
    spy = Kspy.from_env()
    hwnd = spy.wait(cls='ksw', title='Hello')
    for child in spy.children(hwnd): ...
    spy.box(press='OK')

Exit 0 from the driver passes; anything else (an uncaught exception) fails
the case. Handles are texts like '0x0001002A'.
"""
import json
import os
import signal
import subprocess
import tempfile
import threading

# Extra seconds allowed for starting a wine process, beyond kspy's own
# time limit (emulated 32-bit code starts slowly).
STARTUP_SLACK = float(os.environ.get('KESTREL_KSPY_SLACK', '60'))


class KspyError(Exception):
    """kspy.exe failed in a way that is not a plain time-out."""


class Kspy:
    def __init__(self, kspy_exe, env=None, program=None):
        self.kspy_exe = str(kspy_exe)
        self.env = dict(env if env is not None else os.environ)
        self.program = program          # restricts list/wait/box to this exe
        self._lock = threading.Lock()
        self._current = None
        self._cancelled = False

    @classmethod
    def from_env(cls):
        return cls(os.environ['KESTREL_KSPY'], os.environ, os.environ.get('KESTREL_E2E_PROGRAM'))

    # -- plumbing ----------------------------------------------------------
    def run(self, *args, timeout_ms=None):
        """Runs `kspy.exe ARGS`; returns (exit code, stdout text, stderr text)."""
        cmd = [self.env.get('WINELOADER', 'wine'), self.kspy_exe, *map(str, args)]
        limit = (timeout_ms or 0) / 1000 + STARTUP_SLACK
        # Output goes to files, not pipes, and the call waits for kspy itself:
        # the first wine process of a fresh wineserver starts the desktop and
        # the services, which inherit its output handles and live on, so a
        # pipe would never reach its end.
        with tempfile.TemporaryFile() as out_file, tempfile.TemporaryFile() as err_file:
            with self._lock:
                if self._cancelled:
                    return 1, '', 'cancelled'
                proc = subprocess.Popen(cmd, env=self.env, stdin=subprocess.DEVNULL,
                                        stdout=out_file, stderr=err_file,
                                        start_new_session=True)
                self._current = proc
            timed_out = False
            try:
                proc.wait(timeout=limit)
            except subprocess.TimeoutExpired:
                self._kill(proc)
                proc.wait()
                timed_out = True
            finally:
                with self._lock:
                    self._current = None
                    cancelled = self._cancelled
            out_file.seek(0)
            err_file.seek(0)
            out, err = out_file.read(), err_file.read()
        if timed_out:
            return 1, out.decode('utf-8', 'replace'), 'kspy did not finish in time'
        if cancelled and proc.returncode != 0:
            # Ended by cancel(): the same as a time-out without a result.
            return 1, out.decode('utf-8', 'replace'), 'cancelled'
        return proc.returncode, out.decode('utf-8', 'replace'), err.decode('utf-8', 'replace')

    @staticmethod
    def _kill(proc):
        """Ends the whole process group, the processes that the wine loader
        started for this call included."""
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            proc.kill()

    def cancel(self):
        """Ends a running call from another thread; later calls return at once."""
        with self._lock:
            self._cancelled = True
            if self._current is not None and self._current.poll() is None:
                self._kill(self._current)

    def _filter(self):
        return ['--exe', self.program] if self.program else []

    @staticmethod
    def _json_lines(text):
        return [json.loads(line) for line in text.splitlines() if line.strip().startswith('{')]

    # -- commands ----------------------------------------------------------
    def list(self):
        """Top-level windows: dicts with hwnd, class, title, pid, exe, visible."""
        rc, out, err = self.run('list', *self._filter())
        if rc != 0:
            raise KspyError(f'kspy list failed ({rc}): {err.strip()}')
        return self._json_lines(out)

    def wait(self, cls=None, title=None, timeout_ms=10000, hidden=False):
        """Handle of the first (visible, unless hidden=True) top-level window
        with this class and/or title, or None after the time-out."""
        args = ['wait', '--timeout', timeout_ms, *self._filter()]
        if cls is not None:
            args += ['--class', cls]
        if title is not None:
            args += ['--title', title]
        if hidden:
            args.append('--hidden')
        rc, out, err = self.run(*args, timeout_ms=timeout_ms)
        if rc == 1:
            return None
        if rc != 0:
            raise KspyError(f'kspy wait failed ({rc}): {err.strip()}')
        return out.strip().splitlines()[-1]

    def box(self, timeout_ms=10000, press=None, id=None):
        """Waits for a message box (a '#32770' dialog), presses the button
        named `press` (or with control id `id`) if given, and returns
        {'hwnd', 'caption', 'text', 'buttons', 'pid', 'exe'}; None after the
        time-out. A missing button raises KspyError (the box is returned in
        its `box` attribute)."""
        args = ['box', '--timeout', timeout_ms, *self._filter()]
        if press is not None:
            args += ['--press', press]
        elif id is not None:
            args += ['--id', id]
        rc, out, err = self.run(*args, timeout_ms=timeout_ms)
        found = self._json_lines(out)
        if rc == 1 and not found:
            return None
        if rc != 0:
            error = KspyError(f'kspy box failed ({rc}): {err.strip()}')
            error.box = found[0] if found else None
            raise error
        return found[0]

    def children(self, hwnd):
        """Every descendant window of `hwnd`: dicts with hwnd, parent, class,
        text, id, style, exstyle, x, y, w, h, visible, enabled."""
        rc, out, err = self.run('children', hwnd)
        if rc != 0:
            raise KspyError(f'kspy children failed ({rc}): {err.strip()}')
        return self._json_lines(out)

    def kill(self):
        """Ends every process of the program under test."""
        if self.program:
            self.run('kill', '--exe', self.program)
