"""Plays the user of listbox.kil: checks the list in use, its items and
first selection, the geometry and layout, and answers each list."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'windows'))
from kspy_user import User  # noqa: E402

THEME = 10
user = User()
m = user.metrics()


def show(title):
    t = user.tree(user.wait_title(title))
    return t, t.control(4), t.control(6), t.control(5)


def still_open(title):
    """The window is still shown (checked twice, the posts being queued)."""
    hwnd = user.spy.wait(title=title, timeout_ms=2000)
    return hwnd is not None and user.state(hwnd)[0]['visible']


t, single, multi, ok = show('List One')
user.check('1 single list in use', (single['visible'], multi['visible']), (True, False))
user.check('1 items with the empty middle one', single['items'], ['a', '', 'b'])
user.check('1 first item selected', single['cursel'], 0)
width, height = 150 - 1, 200 - 1
user.check('1 geometry from 21 and 22, centred', (t.top['x'], t.top['y'], t.top['w'], t.top['h']),
           (m['cxscreen'] // 2 - width // 2, m['cyscreen'] // 2 - height // 2, width,
            height + THEME))
w, h = t.top['cw'], t.top['ch']
user.check('1 OK button layout', (ok['x'], ok['y'], ok['w'], ok['h']), (3, h - 28, w - 5, 25))
user.check('1 list layout', (single['x'], single['y'], single['w'], single['h']), (0, 0, w, h - 35))
user.select(single['hwnd'], 2)
user.wait_until('1 item 2 selected', lambda: user.state(single['hwnd'])[0]['cursel'] == 2)
user.keys(single['hwnd'], '{ENTER}')

t, single, multi, ok = show('List Two')
user.check('2 items replaced', single['items'], ['first', 'second'])
user.select(single['hwnd'], 0, double=True)

t, single, multi, ok = show('List Three')
user.check('3 multiple list in use', (single['visible'], multi['visible']), (False, True))
user.check('3 split at the whole separator', multi['items'], ['a', 'b', 'c'])
user.check('3 nothing selected at first', multi['selected'], [])
user.select(multi['hwnd'], 0, 2)
user.wait_until('3 items 0 and 2 selected', lambda: user.state(multi['hwnd'])[0]['selected'] == [0, 2])
user.click(ok['hwnd'])

t, single, multi, ok = show('List Four')
user.check('4 item count', multi['count'], 1100)
user.select_all(multi['hwnd'])
user.click(ok['hwnd'])

t, single, multi, ok = show('List Five')
user.select(multi['hwnd'], 1, double=True)
user.check('5 a double click does not confirm the multiple list', still_open('List Five'), True)
user.keys(multi['hwnd'], '{ESC}')

t, single, multi, ok = show('List Six')
user.check('6 OK hidden', ok['visible'], False)
user.check('6 list fills the client area', (single['x'], single['y'], single['w'], single['h']),
           (0, 0, t.top['cw'], t.top['ch']))
user.check('6 position from 48 and 49', (t.top['x'], t.top['y']), (5, 7))
user.close(t.top['hwnd'])

t, single, multi, ok = show('List Seven')
user.check('7 empty separator: one item', single['items'], ['one|item'])
user.keys(single['hwnd'], '{ENTER}')

t, single, multi, ok = show('List Eight')
user.keys(single['hwnd'], '{ENTER}')
user.finish()
