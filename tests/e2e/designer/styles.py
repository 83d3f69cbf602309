"""Plays the user of styles.kil: checks class, control id, styles,
ex-styles, geometry and parent of every control the script created, then
plays its clicks: the label (click switch off) and the push button, the
label again once its switch is on, the button inside the group box and
the close box. Each step starts when the script has made its marker
directory (w1, w2, w3) and waits."""
import os
import sys
from pathlib import Path

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'windows'))
sys.path.insert(0, os.path.join(HERE, '..', 'tray'))
from kspy_user import User  # noqa: E402
from shell_user import PROGRAM, run  # noqa: E402

TITLE = 'Kestrel Designer Styles'
RUN_DIR = Path(os.environ.get('KESTREL_E2E_RUN_DIR', '.'))
THEME = 10
WS_VISIBLE, WS_CLIPSIBLINGS, WS_VSCROLL = 0x10000000, 0x04000000, 0x00200000
WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE = 0x00CF0000, 0x200

# Bits that the system itself takes away from a control after creation
# (Wine: a list box without enough items to scroll drops its scroll bar, a
# combo box its scroll bar and client edge, a progress bar its client edge).
SYSTEM_DROPS = {
    'listbox': (WS_VSCROLL, 0),
    'combobox': (WS_VSCROLL, WS_EX_CLIENTEDGE),
    'msctls_progress32': (0, WS_EX_CLIENTEDGE),
}

# name, control id, class, style, ex-style, geometry given by the script
# (1-based), parent ('st' or 'st:g'). The height of a combo box is that of
# the box with its drop-down list, not of the closed box, so it is not
# compared.
CONTROLS = [
    ('st:b', 2001, 'Button', 0x50014000, 0, (10, 20, 100, 30), 'st'),
    ('st:ib', 2002, 'Button', 0x50014080, 0, (120, 20, 100, 30), 'st'),
    ('st:i', 2003, 'Edit', 0x508100C0, 0x200, (230, 20, 100, 24), 'st'),
    ('st:e', 2004, 'Edit', 0x50B110C4, 0x200, (10, 60, 100, 60), 'st'),
    ('st:w', 2005, 'Edit', 0x50A11044, 0x200, (120, 60, 100, 60), 'st'),
    ('st:l', 2006, 'Static', 0x50000100, 0, (230, 60, 100, 20), 'st'),
    ('st:o', 2007, 'Button', 0x50014003, 0, (340, 20, 100, 20), 'st'),
    ('st:r1', 2008, 'Button', 0x50034009, 0, (340, 50, 100, 20), 'st'),
    ('st:r2', 2009, 'Button', 0x50014009, 0, (340, 75, 100, 20), 'st'),
    ('st:sep', 2010, 'Static', 0x50000100, 0, (340, 100, 100, 20), 'st'),
    ('st:r3', 2011, 'Button', 0x50034009, 0, (340, 125, 100, 20), 'st'),
    ('st:li', 2012, 'ListBox', 0x50A10101, 0x200, (10, 130, 80, 80), 'st'),
    ('st:ls', 2013, 'ListBox', 0x50A10103, 0x200, (100, 130, 80, 80), 'st'),
    ('st:lm', 2014, 'ListBox', 0x50A10109, 0x200, (190, 130, 80, 80), 'st'),
    ('st:lms', 2015, 'ListBox', 0x50A1010B, 0x200, (280, 130, 80, 80), 'st'),
    ('st:c', 2016, 'ComboBox', 0x50210402, 0x200, (10, 220, 100, None), 'st'),
    ('st:sc', 2017, 'ComboBox', 0x50210403, 0x200, (120, 220, 100, None), 'st'),
    ('st:g', 2018, 'Button', 0x50000007, 0, (230, 220, 150, 80), 'st'),
    ('st:g:b', 2019, 'Button', 0x50014000, 0, (10, 20, 60, 25), 'st:g'),
    ('st:im', 2020, 'Static', 0x5000010E, 0, (10, 320, 20, 20), 'st'),
    ('st:p', 2021, 'Edit', 0x508100E0, 0x200, (40, 320, 100, 24), 'st'),
    ('st:pr', 2022, 'msctls_progress32', 0x50000000, 0x200, (150, 320, 100, 20), 'st'),
]

user = User()


def reached(marker):
    return user.wait_until(f'the script reached {marker}', lambda: (RUN_DIR / marker).is_dir())


# The dialog is shown before the first marker: looking for it only then
# keeps the inspector's start away from the program's own start.
if not reached('w1'):
    user.finish()
dialog = user.wait_title(TITLE)
tree = user.tree(dialog)
top = tree.top
user.check('dialog class', top['class'].lower(), 'ksw')
user.check('dialog style: overlapped window, shown',
           int(top['style'], 16) & ~WS_CLIPSIBLINGS, WS_OVERLAPPEDWINDOW | WS_VISIBLE)
user.check('dialog geometry, with the theme height',
           (top['x'], top['y'], top['w'], top['h']), (49, 39, 499, 399 + THEME))

handles = {'st': dialog}
for name, id, cls, style, exstyle, (x, y, w, h), parent in CONTROLS:
    c = tree.control(id)
    handles[name] = c['hwnd']
    drop_style, drop_ex = SYSTEM_DROPS.get(cls.lower(), (0, 0))
    user.check(f'{name} class', c['class'].lower(), cls.lower())
    user.check(f'{name} style', f'0x{int(c["style"], 16) & ~drop_style:08X}',
               f'0x{style & ~drop_style:08X}')
    user.check(f'{name} ex-style', f'0x{int(c["exstyle"], 16) & ~drop_ex:08X}',
               f'0x{exstyle & ~drop_ex:08X}')
    actual = (c['x'], c['y'], c['w']) + ((c['h'],) if h is not None else ())
    wanted = (x - 1, y - 1, w - 1) + ((h - 1,) if h is not None else ())
    user.check(f'{name} position and size', actual, wanted)
    user.check(f'{name} parent', c['parent'], handles[parent])
user.check('st:b has an empty text', tree.control(2001)['text'], '')
user.check('st:l text', tree.control(2006)['text'], 'Label')
user.check('st:li items', tree.control(2012)['items'], ['a', 'b'])

# The press on the label is queued before the button's click: with the
# label's click switch off the wait must end with the button.
run('press', PROGRAM, TITLE, 2006)
run('click', PROGRAM, TITLE, 2001)

if reached('w2'):
    run('press', PROGRAM, TITLE, 2006)

# The group box's button reports to the group box, not to the dialog, so
# the close request queued after it ends the wait.
if reached('w3'):
    run('click', PROGRAM, TITLE, 2019)
    user.close(dialog)
user.finish()
