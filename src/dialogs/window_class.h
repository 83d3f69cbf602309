// The runtime's window class "ksw", its one window procedure and the
// built-in windows that every command shares.
#pragma once

#include <windows.h>

namespace kestrel::win32 {

// Registers the class; false when the system refuses.
bool register_window_class(HINSTANCE instance);
// Looks up the optional theme function and computes the extra height.
void probe_theme();
// 10 when visual themes are active at start, else 0.
int theme_extra_height();
// True when the theme query exists and reports themes active.
bool theme_active();
// Creates the five hidden built-in windows.
void create_builtin_windows(HINSTANCE instance);
// The hidden owner window of message boxes, file dialogs, tray and hot keys.
HWND owner_window();
HINSTANCE module_instance();

}  // namespace kestrel::win32
