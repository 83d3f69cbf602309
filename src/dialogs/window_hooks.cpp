// The window procedure's rows for the tray icon and the hot keys.
#include "dialogs/window_hooks.h"

#include "dialogs/completion.h"
#include "dialogs/tray_state.h"
#include "dialogs/window_class.h"

namespace kestrel::win32 {

namespace {

// Ends the tray wait with `choice`; the null message makes sure the loop
// wakes up after the menu or the foreground change.
void end_tray_wait(int choice) {
  tray_state().choice = choice;
  completion().done = true;
  ::PostMessageA(owner_window(), WM_NULL, 0, 0);
}

// Opens the popup menu at the pointer; the chosen item's number, or -1
// when the user closed the menu without choosing.
int track_menu(HMENU menu) {
  POINT point{};
  ::GetCursorPos(&point);
  HWND owner = owner_window();
  ::SetForegroundWindow(owner);
  const BOOL command = ::TrackPopupMenu(menu, TPM_RETURNCMD, point.x, point.y, 0, owner, nullptr);
  return command > 0 ? command : -1;
}

}  // namespace

// The mouse message is in `lparam`. Only a left release, or a right
// release when a menu exists, ends the wait; messages that arrive when no
// tray wait runs (late ones after the icon was removed) are ignored, so
// they cannot end another wait.
void tray_callback(HWND, WPARAM, LPARAM lparam) {
  TrayState& state = tray_state();
  if (!state.active) return;
  const UINT mouse = static_cast<UINT>(lparam);
  if (mouse == WM_LBUTTONUP) {
    ::SetForegroundWindow(owner_window());
    end_tray_wait(-1);
  } else if (mouse == WM_RBUTTONUP && state.menu != nullptr) {
    end_tray_wait(track_menu(state.menu));
  }
}

// The message reaches every top-level window of the class; only the owner
// window's copy adds the icon, so that exactly one icon is shown again.
void taskbar_created(HWND window) {
  const TrayState& state = tray_state();
  if (state.active && window == owner_window()) add_tray_icon(state);
}

// The window procedure has recorded the hot key; nothing more to do (a
// tray wait that runs ends with no choice, which it already holds).
void hotkey_pressed(HWND, int) {}

}  // namespace kestrel::win32
