"""The second process of the hooks case: at each message box of hooks.kil it
checks what the write hooks did (clipboard, info window, input box
buttons) as another program sees it, then presses OK."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'windows'))
from kspy_user import User, has_visible_style as shown  # noqa: E402

user = User()


def next_box(text):
    box = user.spy.box(timeout_ms=120000)
    assert box is not None, f'message box {text!r} did not appear'
    user.check('checkpoint', box['text'], text)


def ksw_windows():
    """The program's windows of class ksw with their controls, by kind."""
    found = {}
    for w in user.windows():
        if w['class'] != 'ksw':
            continue
        t = user.tree(w['hwnd'])
        ids = tuple(sorted(c['id'] for c in t.controls))
        if ids == (12,):
            found['info'] = t
        elif ids == (0, 0, 0, 1, 2):
            found['input'] = t
    return found


next_box('clipboard-written')
user.check('clipboard after writing 25', user.clipboard(), 'from the script')
user.clipboard(set='from the driver')
user.box(press='OK')

next_box('info-shown')
info = ksw_windows()['info']
user.check('info window shown by 28', info.top['visible'], True)
user.box(press='OK')

next_box('info-hidden')
info = ksw_windows()['info']
user.check('info window hidden by 28', info.top['visible'], False)
user.check('info window still topmost', int(info.top['exstyle'], 16) & 0x8, 0x8)
user.box(press='OK')

next_box('ok-hidden')
box = ksw_windows()['input']
# The input box itself is hidden: its buttons are judged by their own
# WS_VISIBLE bit, which the hooks of 13 and 14 set and clear.
user.check('13 empty: OK hidden', shown(box.control(1)), False)
user.check('14 "&Nope": Cancel shown with it', (shown(box.control(2)), box.control(2)['text']),
           (True, '&Nope'))
user.box(press='OK')

next_box('ok-shown')
box = ksw_windows()['input']
user.check('13 "&Again": OK shown with it', (shown(box.control(1)), box.control(1)['text']),
           (True, '&Again'))
user.box(press='OK')
user.finish()
