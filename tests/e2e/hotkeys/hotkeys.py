"""Presses the hot keys of hotkeys.kil: Ctrl+Alt+F3 as real key presses
(hot key "one", number 2) during RD03; during RHKW a click on the dialog's
button, which that wait ignores, then WM_HOTKEY for number 1 ("two")
posted to the owner window behind it."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / 'tray'))
from shell_user import (PROGRAM, VK_CONTROL, VK_F3, VK_MENU, WM_HOTKEY, post, run,  # noqa: E402
                        wait_marker)

BM_CLICK = 0x00F5

wait_marker('h1')
run('chord', VK_CONTROL, VK_MENU, VK_F3)

wait_marker('h2')
run('click', PROGRAM, 'Kestrel Hotkey Dialog', 2001)
post(WM_HOTKEY, 1, 0)
