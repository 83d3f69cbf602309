"""Plays the user of msgbox.kil: reads each message box (caption, text,
buttons), presses the button the script expects, and checks the info
window at the three info checkpoints."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'windows'))
from kspy_user import User  # noqa: E402

user = User()


def answer(caption, text, buttons, press):
    box = user.spy.box(timeout_ms=120000)
    assert box is not None, f'box {text!r} did not appear'
    names = [b.replace('&', '') if isinstance(b, str) else b.get('text', '').replace('&', '')
             for b in box['buttons']]
    user.check(f'box {text!r}', (box['caption'], box['text'], names), (caption, text, buttons))
    user.box(press=press)


def info_window():
    for w in user.windows():
        if w['class'] == 'ksw':
            t = user.tree(w['hwnd'])
            if [c['id'] for c in t.controls] == [12]:
                return t
    raise AssertionError('no info window')


answer('Kestrel Echo', 'Hello there', ['OK'], 'OK')
answer('Kestrel Confirmation', 'Proceed?', ['Yes', 'No'], 'Yes')
answer('Asking', 'Really?', ['Yes', 'No'], 'No')
answer('Pick', 'Yes or no', ['Yes', 'No'], 'No')
answer('Pick', 'Question', ['Yes', 'No'], 'Yes')
answer('Pick', 'Three', ['Abort', 'Retry', 'Ignore'], 'Retry')
answer('Pick', 'Two', ['OK', 'Cancel'], 'Cancel')

m = user.metrics()
box = user.spy.box(timeout_ms=120000)
user.check('checkpoint', box['text'], 'info-shown')
t = info_window()
w, h = 300 - 1, 24 - 1
user.check('info shown, title and text', (t.top['visible'], t.top['text'], t.controls[0]['text']),
           (True, 'Working...', 'Working...'))
user.check('info geometry, centred', (t.top['x'], t.top['y'], t.top['w'], t.top['h']),
           (m['cxscreen'] // 2 - w // 2, m['cyscreen'] // 2 - h // 2, w, h))
c = t.controls[0]
user.check('info text control', (c['x'], c['y'], c['w'], c['h']), (0, 3, w, h))
user.box(press='OK')

box = user.spy.box(timeout_ms=120000)
user.check('checkpoint', box['text'], 'info-hidden')
user.check('info hidden by the lower-case mode', info_window().top['visible'], False)
user.box(press='OK')

box = user.spy.box(timeout_ms=120000)
user.check('checkpoint', box['text'], 'info-again')
t = info_window()
user.check('info shown again at 46 and 47', (t.top['visible'], t.top['x'], t.top['y'], t.top['text']),
           (True, 100, 50, 'Back again'))
user.box(press='OK')
user.finish()
