// The message boxes: information (R027), yes/no question (R028) and the box
// with a chosen button set (R007, R063).
#include <windows.h>

#include "core/runtime.h"
#include "core/text.h"
#include "dialogs/dialog_commands.h"
#include "dialogs/dialog_support.h"
#include "dialogs/window_class.h"
#include "varsys/dialog_text.h"
#include "varsys/eval.h"
#include "varsys/store.h"

namespace kestrel::win32 {

namespace {

constexpr int kIdYes = 6;

// Shows the box with a chosen button set and returns the pressed button's
// identifier as decimal text. The box has no owner window.
std::string chosen_button_box(Runtime& rt) {
  const std::string caption = eval_operand(rt);
  const std::string text = eval_operand(rt);
  const std::string buttons = eval_operand(rt);
  const UINT style = static_cast<UINT>(button_set_style(buttons)) | MB_SETFOREGROUND;
  const int pressed = ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
  reactivate_foreground();
  return int_text(pressed);
}

}  // namespace

// R027 text: a message box with the information icon and variable 4 as
// caption, owned by the owner window.
int information_message(Runtime& rt) {
  const std::string text = eval_operand(rt);
  const std::string caption = system_text(rt, "4");
  ::MessageBoxA(owner_window(), text.c_str(), caption.c_str(),
                MB_ICONINFORMATION | MB_SETFOREGROUND);
  reactivate_foreground();
  return kStepNext;
}

// R028 [target] text: Yes stores "0", No (or closing the box) "-1".
int yes_no_question(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string text = eval_operand(rt);
  const std::string caption = system_text(rt, "5");
  const int answer = ::MessageBoxA(owner_window(), text.c_str(), caption.c_str(),
                                   MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND);
  set_variable(rt, target, answer == kIdYes ? "0" : "-1", rt.area);
  reactivate_foreground();
  return kStepNext;
}

// R007 caption, text, buttons: the pressed button's number in variable 0.
int message_box_to_result(Runtime& rt) {
  set_variable(rt, "0", chosen_button_box(rt), rt.area);
  return kStepNext;
}

// R063 [target] caption, text, buttons: the pressed button's number in the
// target.
int message_box_to_target(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  set_variable(rt, target, chosen_button_box(rt), rt.area);
  return kStepNext;
}

}  // namespace kestrel::win32
