// The input box (R008) and its password variant (R041).
#include <windows.h>

#include "core/runtime.h"
#include "dialogs/dialog_commands.h"
#include "dialogs/dialog_support.h"
#include "dialogs/window_class.h"
#include "varsys/dialog_text.h"
#include "varsys/eval.h"
#include "varsys/store.h"

namespace kestrel::win32 {

namespace {

constexpr int kInputWidth = 300;
constexpr int kInputHeight = 102;
constexpr int kButtonRow = 20;  // the box is shorter by this without buttons

// The input box's geometry: position from variables 50 and 51 (centred
// when unset), height less the button row when both captions are empty.
void place_input_box(Runtime& rt, HWND box) {
  int x = script_to_system(system_int(rt, "50"));
  int y = script_to_system(system_int(rt, "51"));
  if (x < 0) x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - 150;
  if (y < 0) y = ::GetSystemMetrics(SM_CYSCREEN) / 2 - 51;
  int height = kInputHeight + theme_extra_height();
  if (system_text(rt, "13").empty() && system_text(rt, "14").empty()) height -= kButtonRow;
  ::MoveWindow(box, x, y, kInputWidth, height, TRUE);
  ::ShowWindow(box, SW_SHOW);
}

// Both variants: [target] title, prompt, default text. On OK the result
// code "0" is stored before the text, on cancel "-1" before an empty text,
// so a target of variable 0 ends with the text.
int run_input_box(Runtime& rt, bool password) {
  std::string target;
  next_reference(rt, target);
  const std::string title = eval_operand(rt);
  const std::string prompt = eval_operand(rt);
  const std::string initial = eval_operand(rt);
  completion().done = false;

  const BuiltinWindows& w = builtin_windows();
  HWND box = w.input_box;
  HWND field = password ? w.input_password : w.input_field;
  HWND other = password ? w.input_field : w.input_password;
  ::SetWindowTextA(w.input_label, prompt.c_str());
  ::SetWindowTextA(box, title.c_str());
  ::ShowWindow(other, SW_HIDE);
  ::SetWindowTextA(field, initial.c_str());
  ::ShowWindow(field, SW_SHOW);
  // The caret goes to the end of the default text in the field in use.
  const auto end = static_cast<WPARAM>(initial.size());
  ::SendMessageA(field, EM_SETSEL, end, static_cast<LPARAM>(end));
  place_input_box(rt, box);
  // Focus once the box is shown: a hidden window's child cannot keep it.
  ::SetFocus(field);

  run_modal_loop(box);

  if (completion().result != 0) {
    set_variable(rt, "0", "-1", rt.area);
    set_variable(rt, target, "", rt.area);
  } else {
    const std::string entered = window_text(field);
    set_variable(rt, "0", "0", rt.area);
    set_variable(rt, target, entered, rt.area);
  }
  end_dialog(box);
  return kStepNext;
}

}  // namespace

int input_box(Runtime& rt) { return run_input_box(rt, false); }

int password_box(Runtime& rt) { return run_input_box(rt, true); }

}  // namespace kestrel::win32
