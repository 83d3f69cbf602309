"""Plays the user of filedialogs.kil: types into the file-name field of
the common file dialog and presses Open or Save (command 1) or Cancel
(command 2); entering the folder "pick" first changes the process's
current directory, which the commands must set back."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / 'tray'))
from shell_user import IDCANCEL, IDOK, PROGRAM, run, wait_marker  # noqa: E402

wait_marker('f1')
run('dialog', PROGRAM, 'pick', IDOK)       # enters the folder
run('dialog', PROGRAM, 'a.txt', IDOK)

wait_marker('f2')
run('dialog', PROGRAM, IDCANCEL)

wait_marker('f3')
run('dialog', PROGRAM, 'new', IDOK)

wait_marker('f4')
run('dialog', PROGRAM, 'pick', IDOK)
run('dialog', PROGRAM, '"a.txt" "c.txt" "b.txt"', IDOK)

wait_marker('f5')
run('dialog', PROGRAM, 'pick\\b.txt', IDOK)

wait_marker('f6')
run('dialog', PROGRAM, IDOK)

wait_marker('f7')
run('dialog', PROGRAM, IDCANCEL)
