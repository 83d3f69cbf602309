"""Plays the notification area for tray.kil: the icon's callback message
(WM_APP with the mouse message in lparam) sent to the owner window, the
popup menu driven with keys or a click beside it, and the shell's
"TaskbarCreated" broadcast."""
import sys

from shell_user import (PROGRAM, VK_DOWN, VK_RETURN, WM_APP, WM_LBUTTONUP, WM_RBUTTONUP, absent,
                        post, run, send, wait_marker)

wait_marker('m1')
run('tray-count', 1, 60000)
post(WM_APP, 1, WM_LBUTTONUP)

# a, separator line, b: two steps down reach b
wait_marker('m2')
run('tray-count', 1, 60000)
post(WM_APP, 1, WM_RBUTTONUP)
run('menu-keys', PROGRAM, VK_DOWN, VK_DOWN, VK_RETURN)

wait_marker('m3')
run('tray-count', 1, 60000)
post(WM_APP, 1, WM_RBUTTONUP)
run('menu-outside', PROGRAM)

# Without items a right click does nothing: once it has been handled the
# wait still runs and the icon is still shown.
wait_marker('m4')
run('tray-count', 1, 60000)
send(WM_APP, 1, WM_RBUTTONUP)
run('tray-count', 1, 1000)
if not absent('m5'):
    sys.exit('a right click without menu ended the wait')
post(WM_APP, 1, WM_LBUTTONUP)

# A restarted shell has lost the icon and broadcasts "TaskbarCreated": the
# waiting command shows it again, once.
wait_marker('m5')
run('tray-count', 1, 60000)
run('tray-remove', PROGRAM)
run('tray-count', 0, 10000)
run('taskbar')
run('tray-count', 1, 10000)
run('taskbar')
run('tray-count', 1, 1000)
post(WM_APP, 1, WM_LBUTTONUP)
