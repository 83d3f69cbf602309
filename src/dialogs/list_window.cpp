// The list selection (R031): one item from the single-selection list, or
// any number of items from the multiple-selection list.
#include <windows.h>

#include <vector>

#include "core/runtime.h"
#include "dialogs/dialog_commands.h"
#include "dialogs/dialog_support.h"
#include "dialogs/window_class.h"
#include "varsys/dialog_text.h"
#include "varsys/eval.h"
#include "varsys/list_split.h"
#include "varsys/store.h"

namespace kestrel::win32 {

namespace {

std::string item_text(HWND list, int index) {
  const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR || length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied = ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

// Empties `list` and adds the items at the end in their order, empty
// items included.
void fill_list(HWND list, const std::string& items, const std::string& separator) {
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : split_list(items, separator))
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::string single_choice(HWND list) {
  const LRESULT index = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return {};
  return item_text(list, static_cast<int>(index));
}

// The selected items in ascending list order, joined with the separator.
// The index buffer is as large as the selection, however many items that is.
std::string multiple_choice(HWND list, const std::string& separator) {
  const LRESULT count = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
  if (count == LB_ERR || count <= 0) return {};
  std::vector<int> indices(static_cast<size_t>(count));
  const LRESULT got = ::SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                     reinterpret_cast<LPARAM>(indices.data()));
  if (got == LB_ERR || got <= 0) return {};
  indices.resize(static_cast<size_t>(got));
  std::string joined;
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i) joined += separator;
    joined += item_text(list, indices[i]);
  }
  return joined;
}

}  // namespace

// R031 [target] title, items. Variable 31 "-1" selects the single list. On
// OK the choice is stored before the result code "0", on cancel an empty
// text before "-1", so a target of variable 0 ends with the result code.
int list_selection(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string title = eval_operand(rt);
  const std::string items = eval_operand(rt);
  completion().done = false;

  const BuiltinWindows& w = builtin_windows();
  const bool single = system_text(rt, "31") == "-1";
  HWND list = single ? w.list_single : w.list_multi;
  ::ShowWindow(list, SW_SHOW);
  ::ShowWindow(single ? w.list_multi : w.list_single, SW_HIDE);
  const std::string separator = system_text(rt, "44");
  fill_list(list, items, separator);
  ::SetWindowTextA(w.list_window, title.c_str());

  const int height = script_to_system(system_int(rt, "22"));
  const int width = script_to_system(system_int(rt, "21"));
  const int x = place_coordinate(system_int(rt, "48"), ::GetSystemMetrics(SM_CXSCREEN), width);
  const int y = place_coordinate(system_int(rt, "49"), ::GetSystemMetrics(SM_CYSCREEN), height);
  show_with_layout(w.list_window, x, y, width, height + theme_extra_height());
  ::SendMessageA(list, LB_SETCURSEL, 0, 0);  // no effect on the multiple list
  ::SetFocus(list);

  run_modal_loop(w.list_window);

  if (completion().result == 0) {
    set_variable(rt, target, single ? single_choice(list) : multiple_choice(list, separator),
                 rt.area);
    set_variable(rt, "0", "0", rt.area);
  } else {
    set_variable(rt, target, "", rt.area);
    set_variable(rt, "0", "-1", rt.area);
  }
  end_dialog(w.list_window);
  return kStepNext;
}

}  // namespace kestrel::win32
