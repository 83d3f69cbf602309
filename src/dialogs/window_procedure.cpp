// The one window procedure of class "ksw". It serves the built-in windows
// itself; for every other window of the class (script dialogs) it asks the
// designer first. Timers, hot keys, the tray callback and painting are
// handled alike for all windows.
#include <windows.h>

#include "designer/designer_messages.h"
#include "dialogs/window_class.h"
#include "dialogs/window_hooks.h"

namespace kestrel::win32 {

namespace {

constexpr UINT kTrayCallback = WM_APP;

void finish(int result) {
  completion().result = result;
  completion().done = true;
}

bool visible(HWND window) { return window && ::IsWindowVisible(window); }

void move(HWND window, int x, int y, int width, int height) {
  if (window) ::MoveWindow(window, x, y, width, height, TRUE);
}

// Buttons 28 pixels above the bottom edge, OK at the left and Cancel 105
// pixels from the right edge; the text field fills the rest.
void layout_edit_box(const BuiltinWindows& w, int width, int height) {
  int margin = 0;
  if (visible(w.edit_ok) || visible(w.edit_cancel)) {
    move(w.edit_ok, 5, height - 28, 100, 25);
    move(w.edit_cancel, width - 105, height - 28, 100, 25);
    margin = 35;
  }
  move(w.edit_text, 0, 0, width, height - margin);
}

void layout_list_window(const BuiltinWindows& w, int width, int height) {
  int margin = 0;
  if (visible(w.list_ok)) {
    move(w.list_ok, 3, height - 28, width - 5, 25);
    margin = 35;
  }
  move(w.list_single, 0, 0, width, height - margin);
  move(w.list_multi, 0, 0, width, height - margin);
}

// WM_COMMAND of a built-in dialog window. Notification 0 comes from button
// clicks and from the Enter and Escape keys (commands 1 and 2); 2 is a
// double click in a list, which confirms only from the single list.
void builtin_command(WPARAM wparam) {
  const int id = LOWORD(wparam);
  const int code = HIWORD(wparam);
  if (code == 0) {
    if (id == kIdInputOk || id == kIdListOk || id == kIdEditOk) finish(0);
    else if (id == kIdInputCancel || id == kIdEditCancel) finish(1);
  } else if (code == LBN_DBLCLK && id == kIdListSingle) {
    finish(0);
  }
}

// The rows of the input box, the edit box window and the list window.
// Returns true when the message was handled.
bool builtin_dialog_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const BuiltinWindows& w = builtin_windows();
  switch (message) {
    case WM_CLOSE: finish(1); return true;  // cancel; the window stays alive
    case WM_COMMAND: builtin_command(wparam); return true;
    case WM_SIZE:
      if (window == w.edit_box) layout_edit_box(w, LOWORD(lparam), HIWORD(lparam));
      else if (window == w.list_window) layout_list_window(w, LOWORD(lparam), HIWORD(lparam));
      return true;
    case WM_MOVE:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_DESTROY:
      return true;
    default: return false;
  }
}

// The rows that are the same for every window of the class. Returns true
// when the message was handled and the procedure must return 0.
bool common_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      ::BeginPaint(window, &paint);
      ::EndPaint(window, &paint);
      return true;
    }
    case WM_TIMER:
      completion().done = true;
      completion().event_kind = kEventTimer;
      return true;
    case WM_HOTKEY:
      completion().result = static_cast<int>(wparam);
      completion().event_kind = kEventHotkey;
      completion().done = true;
      hotkey_pressed(window, static_cast<int>(wparam));
      return true;
    case kTrayCallback: tray_callback(window, wparam, lparam); return true;
    default: return false;
  }
}

}  // namespace

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == taskbar_created_message() && message != 0) {
    taskbar_created(window);
    return ::DefWindowProcA(window, message, wparam, lparam);
  }
  if (is_builtin_dialog(window)) {
    if (builtin_dialog_message(window, message, wparam, lparam)) return 0;
  } else if (is_builtin_window(window)) {
    // The info window and the owner window ignore close requests.
    if (message == WM_CLOSE) return 0;
  } else {
    LRESULT result = 0;
    if (designer_handle_message(window, message, wparam, lparam, result)) return result;
    if (message == WM_DESTROY) {
      // Only a window that is neither built in nor a script dialog ends the run.
      if (!is_designer_window(window)) ::PostQuitMessage(0);
      return 0;
    }
  }
  if (common_message(window, message, wparam, lparam)) return 0;
  return ::DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace kestrel::win32
