// The info window (R038): shown or hidden at once, without a modal loop.
#include <windows.h>

#include "core/runtime.h"
#include "dialogs/dialog_commands.h"
#include "dialogs/dialog_support.h"
#include "dialogs/window_class.h"
#include "varsys/dialog_text.h"
#include "varsys/eval.h"
#include "varsys/store.h"

namespace kestrel::win32 {

// R038 text, mode. Places the window from variables 26, 27, 46 and 47 and
// sets its text; storing the state in variable 28 shows or hides it through
// that variable's write hook.
int info_window(Runtime& rt) {
  const std::string text = eval_operand(rt);
  const std::string mode = eval_operand(rt);

  const int height = script_to_system(system_int(rt, "27"));
  const int width = script_to_system(system_int(rt, "26"));
  const int x = place_coordinate(system_int(rt, "46"), ::GetSystemMetrics(SM_CXSCREEN), width);
  const int y = place_coordinate(system_int(rt, "47"), ::GetSystemMetrics(SM_CYSCREEN), height);
  const BuiltinWindows& w = builtin_windows();
  if (w.info_window) ::MoveWindow(w.info_window, x, y, width, height, TRUE);
  if (w.info_text) ::MoveWindow(w.info_text, 0, 3, width, height, TRUE);
  ::SetWindowTextA(w.info_text, text.c_str());
  ::SetWindowTextA(w.info_window, text.c_str());

  set_variable(rt, "28", is_hide_mode(mode) ? "-1" : "0", rt.area);
  return kStepNext;
}

}  // namespace kestrel::win32
