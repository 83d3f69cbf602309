#include <windows.h>

#include "dialogs/window_class.h"

namespace kestrel::win32 {

// Reads the messages of `window` and its children, lets the dialog-message
// processing turn Tab, Enter and Escape into navigation and the commands 1
// and 2, and stops as soon as the window procedure sets the done flag. A
// failing read (-1, for a window that does not exist) ends the loop like
// the quit message, so that a missing window cannot spin it forever; the
// dialog result then stays -1 and the command counts it as cancelled.
void run_modal_loop(HWND window) {
  if (!window) return;  // a null filter would read every window's messages
  MSG message;
  while (::GetMessageA(&message, window, 0, 0) > 0) {
    if (!::IsDialogMessageA(window, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (completion().done) return;
  }
}

}  // namespace kestrel::win32
