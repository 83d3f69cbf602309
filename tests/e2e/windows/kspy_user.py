"""Playing the user of the runtime's built-in windows through kspy, for the
drivers of the sysvars, windows and dialogs cases.

    from kspy_user import User
    user = User()
    box = user.wait_title('Input One')          # the visible top-level window
    tree = user.tree(box)                       # it and its controls, by id
    user.check('title', tree.top['text'], 'Input One')
    user.keys(tree.control(0, 'Edit')['hwnd'], 'xy{ENTER}')
    user.finish()                               # exit 1 if any check failed

Every check prints one line with the actual value beside the expected
one; `finish` fails the driver when any check failed, so one run reports
every difference at once.
"""
import json
import sys
import time

from kspy import Kspy, KspyError

WAIT_MS = 60000


def has_visible_style(window):
    """The window's own WS_VISIBLE bit. `visible` (IsWindowVisible) is false
    for every control of a hidden window, so the controls of a built-in
    window between its commands are judged by their style bit instead."""
    return bool(int(window['style'], 16) & 0x10000000)


class Tree:
    """A window and its descendants as kspy `state --tree` reports them."""

    def __init__(self, lines):
        self.top = lines[0]
        self.controls = lines[1:]

    def control(self, id, cls=None, visible=None):
        """The first control with this id (and class, and visibility)."""
        for c in self.controls:
            if c['id'] == id and (cls is None or c['class'].lower() == cls.lower()) \
                    and (visible is None or c['visible'] == visible):
                return c
        raise KspyError(f'no control id={id} class={cls} visible={visible} in '
                        f'{[(c["id"], c["class"], c["visible"]) for c in self.controls]}')


class User:
    def __init__(self):
        self.spy = Kspy.from_env()
        self.failures = 0

    # -- checks -----------------------------------------------------------
    def check(self, what, actual, expected):
        ok = actual == expected
        if not ok:
            self.failures += 1
        print(f'{"ok  " if ok else "FAIL"} {what}: actual {actual!r}, expected {expected!r}',
              flush=True)
        return ok

    def check_bits(self, what, value, required, absent=0):
        """A style text (0x...) has every bit of `required` and none of `absent`."""
        bits = int(value, 16)
        self.check(f'{what} has 0x{required:08X} and not 0x{absent:08X} (style {value})',
                   (bits & required == required, bits & absent), (True, 0))

    def finish(self):
        print(f'{self.failures} check(s) failed' if self.failures else 'all checks passed',
              flush=True)
        sys.exit(1 if self.failures else 0)

    # -- reading ----------------------------------------------------------
    def _lines(self, *args, timeout_ms=None):
        rc, out, err = self.spy.run(*args, timeout_ms=timeout_ms)
        if rc != 0:
            raise KspyError(f'kspy {" ".join(map(str, args))} failed ({rc}): {err.strip()}')
        return [json.loads(l) for l in out.splitlines() if l.strip().startswith('{')]

    def wait_title(self, title, timeout_ms=WAIT_MS):
        hwnd = self.spy.wait(title=title, timeout_ms=timeout_ms)
        if hwnd is None:
            raise KspyError(f'no visible window titled {title!r} within {timeout_ms} ms')
        return hwnd

    def windows(self):
        """Top-level windows of the program, hidden ones included."""
        return self.spy.list()

    def tree(self, hwnd):
        return Tree(self._lines('state', hwnd, '--tree'))

    def state(self, *hwnds):
        return self._lines('state', *hwnds)

    def metrics(self):
        return self._lines('metrics')[0]

    def clipboard(self, set=None):
        args = ['clipboard'] + (['--set', set] if set is not None else [])
        return self._lines(*args)[0]['text']

    def box(self, press):
        found = self.spy.box(press=press, timeout_ms=WAIT_MS)
        if found is None:
            raise KspyError(f'no message box within {WAIT_MS} ms')
        return found

    def wait_until(self, what, probe, timeout_s=60):
        """Calls probe() until it returns a true value (bounded); returns it
        or None after the time-out."""
        end = time.monotonic() + timeout_s
        while True:
            value = probe()
            if value or time.monotonic() > end:
                if not value:
                    print(f'FAIL {what}: not reached within {timeout_s} s', flush=True)
                    self.failures += 1
                return value
            time.sleep(0.2)

    # -- acting -----------------------------------------------------------
    def _act(self, *args):
        rc, out, err = self.spy.run(*args)
        if rc != 0:
            raise KspyError(f'kspy {" ".join(map(str, args))} failed ({rc}): {err.strip()}')

    def set_text(self, hwnd, text):
        self._act('set-text', hwnd, text)

    def click(self, hwnd):
        self._act('click', hwnd)

    def select(self, hwnd, *indices, double=False):
        self._act('select', hwnd, *indices, *(['--double'] if double else []))

    def select_all(self, hwnd):
        self._act('select', hwnd, '--all')

    def keys(self, hwnd, text):
        self._act('keys', hwnd, text)

    def move(self, hwnd, x, y, w, h):
        self._act('move', hwnd, x, y, w, h)

    def close(self, hwnd):
        self._act('close', hwnd)
