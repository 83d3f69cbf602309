// The window procedure's rows for the tray icon and the hot keys. The
// window procedure calls these for every window of the class; the tray and
// hot-key unit gives them their behaviour.
#pragma once

#include <windows.h>

namespace kestrel::win32 {

// The tray icon's callback message (WM_APP) on the owner window; the mouse
// message is in `lparam`.
void tray_callback(HWND window, WPARAM wparam, LPARAM lparam);

// The registered message "TaskbarCreated": the shell was restarted, so a
// tray icon that is shown must be added again. The window procedure lets
// the default procedure handle the message afterwards.
void taskbar_created(HWND window);

// WM_HOTKEY, called after the window procedure has recorded hot key
// `number` in the completion state (result, event kind 99, done flag).
void hotkey_pressed(HWND window, int number);

}  // namespace kestrel::win32
