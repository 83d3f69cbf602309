// The completion state shared by the window procedure and every modal loop
// of the runtime (built-in dialogs, tray wait, script-dialog event wait).
#pragma once

namespace kestrel::win32 {

struct Completion {
  // Cleared by a command before its loop; set to 1 by the window
  // procedure when the loop must end.
  bool done = false;
  // -1 when idle; 0 OK and 1 cancel for the built-in windows; 2000 plus
  // the element index for script-dialog events; a hot key's number.
  int result = -1;
  // What ended the loop: 0 timer, 99 hot key, 1 to 11 dialog events.
  int event_kind = 0;
};

Completion& completion();

inline constexpr int kEventTimer = 0;
inline constexpr int kEventHotkey = 99;

}  // namespace kestrel::win32
