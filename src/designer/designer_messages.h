// The designer's part of the one window procedure: recording the events of
// script-defined dialogs.
#pragma once

#include <windows.h>

namespace kestrel::win32 {

// Handles `message` for a window of the runtime's class that is not a
// built-in dialog window (script dialogs and their controls' notifications).
// Returns true and sets `result` when the message was handled.
bool designer_handle_message(HWND window, UINT message, WPARAM wparam,
                             LPARAM lparam, LRESULT& result);

// True when `window` is registered as a script dialog in the element table.
bool is_designer_window(HWND window);

}  // namespace kestrel::win32
