"""Helpers for the setup and check hooks of a case (<name>.setup.py and
<name>.check.py, see tests/e2e/README.md). A hook runs as its own Python
process in the run directory; the harness puts this directory on
PYTHONPATH, so a hook starts with `from hooks import Hook`.

    hook = Hook.from_env()
    lines = hook.rewrite_stdout(drop_prefix='any ')   # WORK for the run directory
    hook.check('found', lines['find-blocks'], '0 a|b')
    sys.exit(hook.finish())
"""
import errno
import os
import subprocess
import sys
from pathlib import Path


def windows_path(path):
    """The Windows path under which a program under Wine sees a Unix path
    (the prefix maps drive Z: to the root of the Unix file system)."""
    return 'Z:' + str(path).replace('/', '\\')


def make_read_only(path):
    """Makes a fixture read-only in the way Wine sees it (no write
    permission, so the read-only attribute is set) and makes writes to it
    really fail. Wine leaves the refusal to the kernel, which lets root
    write to any file; for root the file is therefore also made immutable
    (`chattr +i`; the harness lifts that before it removes the run
    directory). Raises RuntimeError when that is not possible."""
    path = Path(path)
    path.chmod(0o444)
    if os.geteuid() != 0:
        return
    try:
        done = subprocess.run(['chattr', '+i', str(path)], capture_output=True, text=True)
    except OSError as e:
        raise RuntimeError(f'{path}: root ignores the write permission and chattr is missing: {e}')
    if done.returncode != 0:
        raise RuntimeError(f'{path}: root ignores the write permission and chattr +i failed: '
                           f'{done.stderr.strip()}')


def release_read_only(directory):
    """Lifts the immutable flag of make_read_only from every file below
    `directory`, so that the directory can be removed."""
    subprocess.run(['chattr', '-R', '-i', str(directory)], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Hook:
    def __init__(self, run_dir, mode, stdout_path=None, exit_code=None):
        self.run_dir = Path(run_dir)
        self.mode = mode                      # 'wine' or 'native'
        self.stdout_path = Path(stdout_path) if stdout_path else None
        self.exit_code = exit_code
        self.passed = 0
        self.failures = []

    @classmethod
    def from_env(cls):
        exit_code = os.environ.get('KESTREL_E2E_EXIT_CODE')
        return cls(os.environ.get('KESTREL_E2E_RUN_DIR', os.getcwd()),
                   os.environ.get('KESTREL_E2E_MODE', 'wine'),
                   os.environ.get('KESTREL_E2E_STDOUT'),
                   int(exit_code) if exit_code not in (None, '') else None)

    # -- paths -------------------------------------------------------------
    def path(self, name):
        """A path below the run directory."""
        return self.run_dir / name

    @property
    def program_run_dir(self):
        """The run directory as the program sees it."""
        return windows_path(self.run_dir) if self.mode == 'wine' else str(self.run_dir)

    def dos_attributes(self, name):
        """The DOS attribute bits that Wine keeps for a path in its extended
        attribute user.DOSATTRIB (hidden, system...): a number, 0 when the
        path has none, None when the file system keeps no extended
        attributes (Wine then cannot keep those bits at all)."""
        try:
            text = os.getxattr(self.path(name), 'user.DOSATTRIB')
        except OSError as e:
            if e.errno == errno.ENODATA:
                return 0
            if e.errno in (errno.ENOTSUP, errno.EOPNOTSUPP):
                return None
            raise
        return int(text.decode('latin-1').rstrip('\0').strip() or '0', 0)

    # -- stdout ------------------------------------------------------------
    def rewrite_stdout(self, work='WORK', drop_prefix=None):
        """Replaces the run directory, as the program sees it, with `work` in
        the captured stdout, and takes out every line that starts with
        `drop_prefix`. Returns those lines as {first word after the prefix:
        rest of the line}, line ends removed. The harness compares what is
        left with <name>.out."""
        data = self.stdout_path.read_bytes()
        data = data.replace(self.program_run_dir.encode('latin-1'), work.encode('latin-1'))
        kept, dropped = [], {}
        for line in data.splitlines(keepends=True):
            if drop_prefix and line.startswith(drop_prefix.encode('latin-1')):
                key, _, value = line[len(drop_prefix):].decode('latin-1').rstrip('\r\n').partition(' ')
                dropped[key] = value
            else:
                kept.append(line)
        self.stdout_path.write_bytes(b''.join(kept))
        return dropped

    # -- checks ------------------------------------------------------------
    def check(self, name, actual, expected):
        if actual == expected:
            self.passed += 1
        else:
            self.failures.append(f'{name}\n    actual   {actual!r}\n    expected {expected!r}')
        return actual == expected

    def one_of(self, name, actual, *allowed):
        if actual in allowed:
            self.passed += 1
            return True
        self.failures.append(f'{name}\n    actual   {actual!r}\n    expected one of '
                             + ', '.join(repr(a) for a in allowed))
        return False

    def file_bytes(self, name, path, expected):
        """The file holds exactly `expected` (bytes)."""
        path = self.path(path)
        return self.check(name, path.read_bytes() if path.is_file() else '(missing)', expected)

    def same_file(self, name, path, reference):
        path, reference = self.path(path), self.path(reference)
        actual = path.read_bytes() if path.is_file() else '(missing)'
        return self.check(name, actual, reference.read_bytes())

    def exists(self, name, path, expected=True):
        return self.check(name, 'exists' if self.path(path).exists() else 'missing',
                          'exists' if expected else 'missing')

    def finish(self):
        """Prints the failures; the exit code for the hook."""
        for failure in self.failures:
            print(f'FAIL {failure}')
        print(f'{self.passed} checks passed, {len(self.failures)} failed')
        sys.stdout.flush()
        return 1 if self.failures else 0
