// Default rows for the tray and hot-key messages while no tray unit takes
// them over: the completion state of a hot key is recorded by the window
// procedure itself, so nothing more is needed until a tray icon exists.
// The unit that implements the tray defines these functions instead and
// removes this file.
#include "dialogs/window_hooks.h"

namespace kestrel::win32 {

void tray_callback(HWND, WPARAM, LPARAM) {}

void taskbar_created(HWND) {}

void hotkey_pressed(HWND, int) {}

}  // namespace kestrel::win32
