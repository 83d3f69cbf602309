"""Plays the user of editbox.kil: checks the text field's contents and
read-only state, the geometry from variables 19, 20, 52 and 53 and the
layout of the buttons, also after a resize, then confirms or cancels."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'windows'))
from kspy_user import User  # noqa: E402

THEME = 10
user = User()
m = user.metrics()


def show(title):
    t = user.tree(user.wait_title(title))
    return t, t.control(8), t.control(9), t.control(10)


def check_layout(step, t, field, ok, cancel):
    w, h = t.top['cw'], t.top['ch']
    user.check(f'{step} OK at the left, 28 above the bottom',
               (ok['x'], ok['y'], ok['w'], ok['h']), (5, h - 28, 100, 25))
    user.check(f'{step} Cancel 105 from the right', (cancel['x'], cancel['y'], cancel['w'], cancel['h']),
               (w - 105, h - 28, 100, 25))
    user.check(f'{step} field above the buttons', (field['x'], field['y'], field['w'], field['h']),
               (0, 0, w, h - 35))


t, field, ok, cancel = show('Edit One')
user.check('1 line feeds shown as line breaks', field['text'], 'line1\r\nline2')
user.check('1 editable', field['readonly'], False)
width, height = 450 - 1, 300 - 1
user.check('1 geometry from 19 and 20, centred',
           (t.top['x'], t.top['y'], t.top['w'], t.top['h']),
           (m['cxscreen'] // 2 - width // 2, m['cyscreen'] // 2 - height // 2, width,
            height + THEME))
check_layout('1', t, field, ok, cancel)
user.move(t.top['hwnd'], 50, 60, 400, 250)
t, field, ok, cancel = show('Edit One')
user.check('1 resized', (t.top['w'], t.top['h']), (400, 250))
check_layout('1 after resize', t, field, ok, cancel)
user.set_text(field['hwnd'], 'a\r\nb\r\nc')
user.click(ok['hwnd'])

t, field, ok, cancel = show('Edit Two')
user.check('2 lower-case readonly', field['readonly'], True)
user.click(cancel['hwnd'])

t, field, ok, cancel = show('Edit Three')
user.check('3 mode 5 is editable', field['readonly'], False)
user.check('3 CR LF shows an extra carriage return', field['text'], 'a\r\r\nb')
user.click(ok['hwnd'])

t, field, ok, cancel = show('Edit Four')
user.check('4 buttons hidden', (ok['visible'], cancel['visible']), (False, False))
user.check('4 field fills the client area', (field['x'], field['y'], field['w'], field['h']),
           (0, 0, t.top['cw'], t.top['ch']))
user.check('4 position from 52 and 53', (t.top['x'], t.top['y']), (20, 30))
user.check('4 blank-padded writeable is editable', field['readonly'], False)
user.close(t.top['hwnd'])

t, field, ok, cancel = show('Edit Five')
user.click(ok['hwnd'])
user.finish()
