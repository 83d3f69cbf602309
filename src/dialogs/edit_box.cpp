// The multi-line edit box (R032).
#include <windows.h>

#include "core/runtime.h"
#include "dialogs/dialog_commands.h"
#include "dialogs/dialog_support.h"
#include "dialogs/window_class.h"
#include "varsys/dialog_text.h"
#include "varsys/eval.h"
#include "varsys/store.h"

namespace kestrel::win32 {

// R032 [target] title, text, mode. The field shows the text with line
// feeds as line breaks; on OK the edited text comes back with bare line
// feeds and the result code "0" is stored after it, on cancel "-1" before
// an empty text.
int edit_box(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string title = eval_operand(rt);
  const std::string text = eval_operand(rt);
  const int mode = edit_mode_value(eval_operand(rt));

  completion().done = false;
  const BuiltinWindows& w = builtin_windows();
  ::SetWindowTextA(w.edit_box, title.c_str());
  ::SetWindowTextA(w.edit_text, line_feeds_to_crlf(text).c_str());
  ::SendMessageA(w.edit_text, EM_SETREADONLY, mode == -1 ? TRUE : FALSE, 0);

  const int height = script_to_system(system_int(rt, "20"));
  const int width = script_to_system(system_int(rt, "19"));
  const int x = place_coordinate(system_int(rt, "52"), ::GetSystemMetrics(SM_CXSCREEN), width);
  const int y = place_coordinate(system_int(rt, "53"), ::GetSystemMetrics(SM_CYSCREEN), height);
  show_with_layout(w.edit_box, x, y, width, height + theme_extra_height());
  ::SetFocus(w.edit_text);

  run_modal_loop(w.edit_box);

  if (completion().result == 0) {
    set_variable(rt, target, crlf_to_line_feeds(window_text(w.edit_text)), rt.area);
    set_variable(rt, "0", "0", rt.area);
  } else {
    set_variable(rt, "0", "-1", rt.area);
    set_variable(rt, target, "", rt.area);
  }
  end_dialog(w.edit_box);
  return kStepNext;
}

}  // namespace kestrel::win32
