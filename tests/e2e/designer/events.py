"""Plays the one step of events.kil that keys cannot: a click on the first
item of the multiple-selection list ev:lm (control id 2004) once the script
has made the marker directory lm and waits for the change."""
import os
import sys
import time
from pathlib import Path

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'windows'))
from kspy_user import User  # noqa: E402

MULTILIST_ID = 2004
RUN_DIR = Path(os.environ.get('KESTREL_E2E_RUN_DIR', '.'))

user = User()
# The inspector starts only once the script is far along, away from the
# program's own start.
if user.wait_until('the script waits for the multiple list', lambda: (RUN_DIR / 'lm').is_dir()):
    tree = user.tree(user.wait_title('Kestrel Designer Events'))
    multilist = tree.control(MULTILIST_ID, 'ListBox')
    user.check('the multiple list has no selection before the click', multilist['selected'], [])
    user.select(multilist['hwnd'], 0)
user.finish()
