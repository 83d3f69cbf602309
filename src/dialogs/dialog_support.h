// What the standard dialog commands share: reading system variables,
// reading a control's text, placing and showing a built-in window, and
// ending a dialog.
#pragma once

#include <windows.h>

#include <string>

namespace kestrel {
struct Runtime;
}

namespace kestrel::win32 {

// The value of system variable `name` as the running code sees it.
std::string system_text(Runtime& rt, const char* name);
// The same, converted with the standard text-to-integer rule.
int system_int(Runtime& rt, const char* name);

// The whole text of a window or control ("" for a null handle). Works on
// this process's edit controls of any length.
std::string window_text(HWND window);

// Moves `window` to x, y with the given size (repainting), shows it and
// sends it WM_SIZE with its client size, so that the layout of the window
// procedure applies at once.
void show_with_layout(HWND window, int x, int y, int width, int height);

// After a modal loop: hides `window` and makes the dialog result idle
// again. Returns true when the user confirmed (dialog result 0).
bool end_dialog(HWND window);

// Activates the foreground window again after a message box, so that the
// window the user worked in has the keyboard once more.
void reactivate_foreground();

}  // namespace kestrel::win32
