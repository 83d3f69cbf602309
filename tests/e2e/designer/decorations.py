"""Plays the user of decorations.kil: counts the program's tooltip windows,
reads the status bar (its text is the first part's), resizes the dialog and
waits for the bar to follow, and checks the styles that STYLE and ORDER
give the dialog; then presses the next button."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'windows'))
from kspy_user import User  # noqa: E402

WS_EX_TOPMOST = 0x8
WS_EX_TOOLWINDOW = 0x80

user = User()


def tooltips():
    return [w for w in user.windows() if w['class'].lower() == 'tooltips_class32']


def status_bars(tree):
    return [c for c in tree.controls if c['class'].lower() == 'msctls_statusbar32']


def go_on(tree):
    user.click(tree.control(2001, 'Button')['hwnd'])


tree = user.tree(user.wait_title('stage tips'))
user.check('tooltip windows: one per element, set twice or empty', len(tooltips()), 3)
bars = status_bars(tree)
user.check('one status bar', len(bars), 1)
user.check('status bar text', bars[0]['text'] if bars else None, 'Ready')
user.check_bits('tool window ex-style', tree.top['exstyle'], WS_EX_TOOLWINDOW)
go_on(tree)

tree = user.tree(user.wait_title('stage parts'))
bars = status_bars(tree)
user.check('still one status bar', len(bars), 1)
user.check('first part text', bars[0]['text'] if bars else None, 'Name')
top = tree.top
user.move(top['hwnd'], top['x'], top['y'], 400, 300)


def bar_follows():
    t = user.tree(top['hwnd'])
    b = status_bars(t)
    return b and b[0]['w'] == t.top['cw'] and b[0]['y'] + b[0]['h'] == t.top['ch'] \
        and t.top['cw'] > top['cw'] and (t, b[0])


found = user.wait_until('status bar across the bottom after the resize', bar_follows)
if found:
    user.check('bar height unchanged', found[1]['h'], bars[0]['h'])
go_on(tree)

tree = user.tree(user.wait_title('stage cleared'))
user.check('no tooltip windows left', len(tooltips()), 0)
user.check('no status bar left', len(status_bars(tree)), 0)
user.check_bits('fixed dialog style', tree.top['style'], 0x00C80000, 0x00070000)
user.check_bits('on top', tree.top['exstyle'], WS_EX_TOPMOST, WS_EX_TOOLWINDOW)
go_on(tree)

tree = user.tree(user.wait_title('stage normal'))
user.check_bits('creation style, not on top', tree.top['style'], 0x00CF0000)
user.check('not topmost', int(tree.top['exstyle'], 16) & WS_EX_TOPMOST, 0)
go_on(tree)
user.finish()
