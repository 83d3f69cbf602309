"""The Wine environment of the end-to-end cases: a private prefix in the
build directory (32-bit for the win32 build, 64-bit for the win64 test
vehicle; the build's kestrel.exe tells which), an Xvfb display the harness starts itself and a
persistent wineserver. `setup` brings them up once (the CTest fixture
e2e-env/setup), every case attaches to them, `cleanup` ends them.

State lives in <build>/e2e-env/state.json: {"display": ":N", "xvfb_pid": P}.

A fresh prefix (`wineboot -i`) is slow, very slow where 32-bit code runs
under emulation, so it is made once per machine in a template directory
(KESTREL_WINE_TEMPLATE, default ~/.cache/kestrel/wineprefix-<wine version>)
and copied into the build directory: drive_c is hard-linked, the registry
files are copied.
"""
import fcntl
import json
import os
import shutil
import signal
import struct
import subprocess
import sys
import time
from contextlib import contextmanager
from pathlib import Path

SCREEN = '1024x768x24'


def log(message):
    print(f'[e2e-env] {message}', file=sys.stderr, flush=True)


WINE64 = '/usr/lib/wine/wine64'


def pe_machine(path):
    """'win32' or 'win64' from the PE header of `path`, None if unreadable."""
    try:
        data = Path(path).read_bytes()[:4096]
        offset = struct.unpack_from('<I', data, 0x3C)[0]
        if data[offset:offset + 4] != b'PE\0\0':
            return None
        machine = struct.unpack_from('<H', data, offset + 4)[0]
    except (OSError, struct.error):
        return None
    return {0x14C: 'win32', 0x8664: 'win64'}.get(machine)


def loader(arch):
    """The command that starts a Windows program of `arch`. For win64 it is
    the 64-bit loader itself: `wine` would start the 32-bit loader first."""
    return [WINE64] if arch == 'win64' else ['wine']


def wine_version():
    try:
        out = subprocess.run(['wine', '--version'], capture_output=True, text=True, timeout=120)
        return out.stdout.strip().replace(' ', '_').replace('(', '').replace(')', '') or 'unknown'
    except (OSError, subprocess.SubprocessError):
        return 'unknown'


def base_environment(prefix, arch, display=None):
    """Environment for every wine process of the harness."""
    env = dict(os.environ)
    if arch == 'win64':
        env['WINELOADER'] = WINE64
    env.update({
        'WINEPREFIX': str(prefix),
        'WINEARCH': arch,
        'WINEDEBUG': '-all',
        'WINEDLLOVERRIDES': 'mscoree,mshtml=;winemenubuilder.exe=d',
    })
    if display:
        env['DISPLAY'] = display
    return env


@contextmanager
def locked(path):
    path.parent.mkdir(parents=True, exist_ok=True)
    with open(path, 'w') as handle:
        fcntl.flock(handle, fcntl.LOCK_EX)
        try:
            yield
        finally:
            fcntl.flock(handle, fcntl.LOCK_UN)


def pid_alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        return True
    # A zombie counts as gone.
    try:
        with open(f'/proc/{pid}/stat') as f:
            return f.read().split(') ', 1)[1][0] != 'Z'
    except OSError:
        return False


class WineEnv:
    def __init__(self, build_dir, arch=None):
        self.build_dir = Path(build_dir).resolve()
        self.arch = arch or next(filter(None, (pe_machine(self.build_dir / f)
                                               for f in ('kestrel.exe', 'kspy.exe'))), 'win32')
        self.loader = loader(self.arch)
        self.state_dir = self.build_dir / 'e2e-env'
        self.state_file = self.state_dir / 'state.json'
        self.lock_file = self.state_dir / 'lock'
        self.prefix = self.build_dir / 'wineprefix'
        self.display = None
        self.owned = False      # this process started Xvfb and ends it

    # -- environment -------------------------------------------------------
    def environment(self):
        return base_environment(self.prefix, self.arch, self.display)

    # -- prefix ------------------------------------------------------------
    def template_dir(self):
        configured = os.environ.get('KESTREL_WINE_TEMPLATE')
        if configured:
            return Path(configured)
        cache = Path(os.environ.get('XDG_CACHE_HOME', Path.home() / '.cache'))
        return cache / 'kestrel' / f'wineprefix-{wine_version()}-{self.arch}'

    def _make_template(self, template):
        log(f'creating wine prefix template {template} (wineboot -i; slow the first time)')
        scratch = template.with_name(template.name + '.partial')
        shutil.rmtree(scratch, ignore_errors=True)
        scratch.parent.mkdir(parents=True, exist_ok=True)
        env = base_environment(scratch, self.arch)
        started = time.monotonic()
        with open(self.state_dir / 'wineboot.log', 'ab') as out:
            rc = subprocess.run([*self.loader, 'wineboot', '-i'], env=env, stdin=subprocess.DEVNULL,
                                stdout=out, stderr=out, timeout=3600).returncode
            subprocess.run(['wineserver', '-w'], env=env, stdin=subprocess.DEVNULL,
                           stdout=out, stderr=out, timeout=3600)
        if rc != 0 or not (scratch / 'system.reg').is_file():
            raise RuntimeError(f'wineboot -i failed with {rc}; see {self.state_dir / "wineboot.log"}')
        scratch.rename(template)
        log(f'template ready after {time.monotonic() - started:.0f} s')

    def ensure_prefix(self):
        if (self.prefix / 'system.reg').is_file():
            return
        template = self.template_dir()
        with locked(template.with_name(template.name + '.lock')):
            if not (template / 'system.reg').is_file():
                self._make_template(template)
        shutil.rmtree(self.prefix, ignore_errors=True)
        self.prefix.mkdir(parents=True)
        for entry in template.iterdir():
            target = self.prefix / entry.name
            if entry.name == 'drive_c':
                subprocess.run(['cp', '-al', str(entry), str(target)], check=True)
            elif entry.is_symlink() or entry.is_dir():
                subprocess.run(['cp', '-a', str(entry), str(target)], check=True)
            else:
                shutil.copy2(entry, target)
        log(f'prefix {self.prefix} copied from {template}')

    # -- display -----------------------------------------------------------
    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        with open(self.state_dir / 'xvfb.log', 'ab') as out:
            proc = subprocess.Popen(
                ['Xvfb', '-displayfd', str(write_end), '-screen', '0', SCREEN,
                 '-nolisten', 'tcp', '-noreset'],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                start_new_session=True)
        os.close(write_end)
        number = b''
        with os.fdopen(read_end, 'rb') as pipe:
            while not number.endswith(b'\n'):
                chunk = pipe.read(1)
                if not chunk:
                    break
                number += chunk
        if not number.strip():
            proc.kill()
            raise RuntimeError(f'Xvfb did not report a display; see {self.state_dir / "xvfb.log"}')
        return f':{number.decode().strip()}', proc.pid

    def _read_state(self):
        try:
            state = json.loads(self.state_file.read_text())
        except (OSError, ValueError):
            return None
        return state if pid_alive(state.get('xvfb_pid', -1)) else None

    # -- life cycle --------------------------------------------------------
    def setup(self):
        """Brings the prefix, the display and the wineserver up (idempotent)."""
        self.state_dir.mkdir(parents=True, exist_ok=True)
        with locked(self.lock_file):
            self.ensure_prefix()
            state = self._read_state()
            if state is None:
                display, pid = self._start_xvfb()
                state = {'display': display, 'xvfb_pid': pid}
                self.state_file.write_text(json.dumps(state))
                self.owned = True
                log(f'Xvfb {display} (pid {pid})')
            self.display = state['display']
            with open(self.state_dir / 'wineserver.log', 'ab') as out:
                subprocess.run(['wineserver', '-p'], env=self.environment(),
                               stdin=subprocess.DEVNULL, stdout=out, stderr=out, timeout=600)
        return self

    def attach(self):
        """Uses the environment that `setup` left, or sets one up for this
        process alone (then `detach` ends it)."""
        state = self._read_state()
        if state is not None and (self.prefix / 'system.reg').is_file():
            self.display = state['display']
            return self
        return self.setup()

    def detach(self):
        if self.owned:
            self.cleanup()

    def cleanup(self):
        """Ends every wine process of the prefix, the wineserver and Xvfb."""
        with locked(self.lock_file):
            subprocess.run(['wineserver', '-k'], env=base_environment(self.prefix, self.arch),
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=120)
            state = None
            try:
                state = json.loads(self.state_file.read_text())
            except (OSError, ValueError):
                pass
            if state and pid_alive(state.get('xvfb_pid', -1)):
                os.kill(state['xvfb_pid'], signal.SIGTERM)
            self.state_file.unlink(missing_ok=True)
