"""Geometry, styles and controls of the five built-in windows at start, as
kspy reports them, with the button captions of the start values of the
system variables 13, 14, 17, 18 and 23."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from kspy_user import User, has_visible_style as shown  # noqa: E402

WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CLIPCHILDREN, WS_CAPTION, WS_BORDER = 0x02000000, 0x00C00000, 0x00800000
WS_VSCROLL, WS_SYSMENU, WS_THICKFRAME, WS_TABSTOP = 0x00200000, 0x00080000, 0x00040000, 0x00010000
WS_EX_DLGMODALFRAME, WS_EX_TOPMOST, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE = 0x1, 0x8, 0x200, 0x20000
ES_MULTILINE, ES_PASSWORD, ES_AUTOVSCROLL, ES_AUTOHSCROLL, ES_WANTRETURN = 0x4, 0x20, 0x40, 0x80, 0x1000
BS_DEFPUSHBUTTON, BS_NOTIFY, SS_CENTER = 0x1, 0x4000, 0x1
LBS_NOTIFY, LBS_MULTIPLESEL, LBS_NOINTEGRALHEIGHT = 0x1, 0x8, 0x100
THEME = 10  # IsThemeActive is there and answers 1 under Wine

user = User()
box = user.spy.box(timeout_ms=120000)
assert box is not None, 'the message box did not appear'
user.check('box caption (variable 4)', box['caption'], 'Kestrel Echo')

m = user.metrics()
cx, cy = m['cxscreen'], m['cyscreen']
tops = [w for w in user.windows() if w['class'] == 'ksw']
user.check('top-level windows of class ksw', len(tops), 5)
trees = [user.tree(w['hwnd']) for w in tops]
# Enumeration runs in Z order, newest first; sort by creation: each
# window's controls tell which one it is.
by_kind = {}
for t in trees:
    ids = sorted(c['id'] for c in t.controls)
    kind = {(0, 0, 0, 1, 2): 'input', (8, 9, 10): 'edit', (4, 5, 6): 'list', (12,): 'info',
            (): 'owner'}.get(tuple(ids), f'unknown {ids}')
    by_kind[kind] = t
user.check('the five windows', sorted(by_kind), ['edit', 'info', 'input', 'list', 'owner'])


def geometry(c):
    return (c['x'], c['y'], c['w'], c['h'])


def hidden_top(t, name):
    user.check(f'{name} hidden', t.top['visible'], False)
    user.check(f'{name} title', t.top['text'], '')


# input box
t = by_kind['input']
hidden_top(t, 'input box')
user.check('input box geometry', geometry(t.top),
           (m['cxfullscreen'] // 2 - 150, m['cyfullscreen'] // 2 - 55, 300, 102 + THEME))
user.check_bits('input box style', t.top['style'], WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_POPUP)
label, plain, password = [c for c in t.controls if c['id'] == 0]
# The box is hidden, so its controls' own visibility is their WS_VISIBLE bit.
user.check('input label', (label['class'].lower(), label['text'], geometry(label), shown(label)),
           ('static', '', (5, 5, 280, 20), True))
user.check('plain field', (plain['class'].lower(), geometry(plain), shown(plain), plain['password']),
           ('edit', (5, 22, 285, 24), True, False))
user.check_bits('plain field style', plain['style'],
                WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOVSCROLL | ES_AUTOHSCROLL, ES_PASSWORD)
user.check_bits('plain field exstyle', plain['exstyle'], WS_EX_CLIENTEDGE)
user.check('password field', (password['class'].lower(), geometry(password), shown(password),
                              password['password']), ('edit', (5, 22, 285, 24), False, True))
ok, cancel = t.control(1), t.control(2)
user.check('input OK', (ok['text'], geometry(ok), shown(ok)), ('&OK', (15, 50, 80, 25), True))
user.check('input Cancel', (cancel['text'], geometry(cancel), shown(cancel)),
           ('&Cancel', (200, 50, 80, 25), True))
user.check_bits('input OK style', ok['style'], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY)

# edit box window: an overlapped window, so it has a caption
t = by_kind['edit']
hidden_top(t, 'edit box')
user.check('edit box geometry', geometry(t.top), (cx // 2 - 250, cy // 2 + THEME - 200, 500, 400))
user.check_bits('edit box style', t.top['style'], WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_POPUP)
field, ok, cancel = t.control(8), t.control(9), t.control(10)
user.check('edit field', (field['class'].lower(), geometry(field), field['readonly']),
           ('edit', (1, 1, 342, 180), False))
user.check_bits('edit field style', field['style'],
                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN)
user.check_bits('edit field exstyle', field['exstyle'], WS_EX_CLIENTEDGE)
user.check('edit OK', (ok['text'], geometry(ok)), ('&Ok', (1, 185, 100, 25)))
user.check_bits('edit OK style', ok['style'], WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON)
user.check('edit Cancel', (cancel['text'], geometry(cancel)), ('&Cancel', (242, 185, 100, 25)))

# list window
t = by_kind['list']
hidden_top(t, 'list window')
user.check('list window geometry', geometry(t.top), (cx // 2 - 65, cy // 2 + THEME - 88, 130, 176))
user.check_bits('list window style', t.top['style'], WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME)
single, multi, ok = t.control(4), t.control(6), t.control(5)
for name, c, kind in (('single list', single, LBS_NOTIFY), ('multiple list', multi, LBS_MULTIPLESEL)):
    user.check(name, (c['class'].lower(), geometry(c), c['count']), ('listbox', (1, 1, 122, 140), 0))
    user.check_bits(f'{name} style', c['style'], WS_CHILD | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | kind)
    user.check_bits(f'{name} exstyle', c['exstyle'], WS_EX_CLIENTEDGE)
user.check_bits('multiple list is not a notifying list', multi['style'], 0, LBS_NOTIFY)
user.check('list OK', (ok['text'], geometry(ok)), ('&Ok', (1, 125, 122, 24)))
user.check_bits('list OK style', ok['style'], BS_DEFPUSHBUTTON)

# info window: hidden and topmost through the start value of variable 28
t = by_kind['info']
hidden_top(t, 'info window')
user.check('info window geometry', geometry(t.top), (cx // 2 - 150, cy // 2 - 12, 300, 24))
user.check_bits('info window style', t.top['style'], WS_POPUP | WS_BORDER | WS_SYSMENU)
user.check_bits('info window exstyle', t.top['exstyle'],
                WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_STATICEDGE)
text = t.control(12)
user.check('info text', (text['class'].lower(), geometry(text)), ('static', (0, 2, 300, 30)))
user.check_bits('info text style', text['style'], WS_CHILD | WS_VISIBLE | SS_CENTER)

# owner window: Wine gives a bordered window a caption and a minimum size
t = by_kind['owner']
hidden_top(t, 'owner window')
user.check('owner window position', geometry(t.top)[:2], (cx // 2 - 280, cy // 2 - 205))
user.check_bits('owner window style', t.top['style'], WS_BORDER, WS_POPUP | WS_SYSMENU)

# the info and owner windows ignore close requests
for kind in ('info', 'owner'):
    user.close(by_kind[kind].top['hwnd'])
after = user.state(by_kind['info'].top['hwnd'], by_kind['owner'].top['hwnd'])
user.check('info and owner windows still there after WM_CLOSE', len(after), 2)

user.box(press='OK')
user.finish()
