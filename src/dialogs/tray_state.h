// The state of the tray icon while the tray command waits, shared by the
// command and the window procedure's rows for the tray callback and the
// re-created taskbar.
#pragma once

#include <windows.h>

#include <string>

namespace kestrel::win32 {

struct TrayState {
  HICON icon = nullptr;    // the icon shown (owned by the tray command)
  std::string tip;         // already cut to the record's tip field
  HMENU menu = nullptr;    // the popup menu; null when no items were given
  bool active = false;     // true while the tray command waits
  int choice = -1;         // the chosen item's number, -1 for none
};

TrayState& tray_state();

// The callback message of the tray icon on the owner window.
inline constexpr UINT kTrayMessage = WM_APP;

// Adds (NIM_ADD) the tray icon of `state` for the owner window; false when
// the shell refuses.
bool add_tray_icon(const TrayState& state);
// Removes the tray icon of the owner window.
void remove_tray_icon();

}  // namespace kestrel::win32
