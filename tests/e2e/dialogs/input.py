"""Plays the user of input.kil: checks each input box as shown (title,
prompt, field in use, caret, buttons, geometry) and answers it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'windows'))
from kspy_user import User  # noqa: E402

THEME = 10
user = User()
m = user.metrics()
centre = (m['cxscreen'] // 2 - 150, m['cyscreen'] // 2 - 51)


def show(title):
    t = user.tree(user.wait_title(title))
    label, plain, password = [c for c in t.controls if c['id'] == 0]
    return t, label, plain, password, t.control(1), t.control(2)


t, label, plain, password, ok, cancel = show('Input One')
user.check('1 prompt', label['text'], 'Your name:')
user.check('1 plain field in use', (plain['visible'], password['visible'], plain['text']),
           (True, False, 'abc'))
user.check('1 caret at the end', (plain['sel_start'], plain['sel_end']), (3, 3))
user.check('1 buttons', (ok['visible'], ok['text'], cancel['visible'], cancel['text']),
           (True, '&OK', True, '&Cancel'))
user.check('1 geometry', (t.top['x'], t.top['y'], t.top['w'], t.top['h']),
           (*centre, 300, 102 + THEME))
user.keys(plain['hwnd'], 'xy{ENTER}')

t, label, plain, password, ok, cancel = show('Input Two')
user.check('2 default text', plain['text'], 'zzz')
user.click(cancel['hwnd'])

t, label, plain, password, ok, cancel = show('Input Three')
user.keys(plain['hwnd'], '{ESC}')

t, label, plain, password, ok, cancel = show('Input Four')
user.close(t.top['hwnd'])

t, label, plain, password, ok, cancel = show('Input Five')
user.check('5 both buttons hidden', (ok['visible'], cancel['visible']), (False, False))
user.check('5 box 20 pixels less high', t.top['h'], 102 + THEME - 20)
user.check('5 empty default', plain['text'], '')
user.keys(plain['hwnd'], 'typed{ENTER}')

t, label, plain, password, ok, cancel = show('Input Six')
user.check('6 password field in use', (plain['visible'], password['visible'], password['text']),
           (False, True, 'se'))
user.check('6 caret at the end of the password', (password['sel_start'], password['sel_end']),
           (2, 2))
user.check('6 captions from 13 and 14', (ok['text'], cancel['text']), ('&Go', '&Stop'))
user.check('6 position from 50 and 51', (t.top['x'], t.top['y']), (10, 20))
user.keys(password['hwnd'], 'cret')
user.click(ok['hwnd'])

t, label, plain, password, ok, cancel = show('Input Seven')
user.keys(plain['hwnd'], '!{ENTER}')
user.finish()
