// RD01: setting one property of an element. The keywords are tried in a
// fixed order (the table at the end); the first row that matches decides.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "commands/designer_rules.h"
#include "core/text.h"
#include "designer/designer_access.h"
#include "designer/designer_handlers.h"
#include "designer/decorations.h"
#include "designer/element_font.h"
#include "varsys/eval.h"
#include "varsys/list_split.h"

namespace kestrel::win32::designer {

namespace {

namespace rules = kestrel::designer;

// What one RD01 works on.
struct Setting {
  Runtime& rt;
  int index;
  Element& element;
  const std::string& keyword;
  const std::string& value;
};

bool is_off(const std::string& value) { return value == "-1"; }
UINT item_id(const Setting& s) { return static_cast<UINT>(element_id(s.index)); }
bool is_list(const Element& e) { return e.type == rules::kTypeList; }
bool is_multi_list(const Element& e) { return e.type == rules::kTypeMultiList; }

// Selects in a multiple-selection list every first item whose text equals
// an item of `value` (split by separator text), case-sensitively.
void select_equal_items(const Setting& s, const std::string& value) {
  HWND list = s.element.window;
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (const std::string& wanted : split_list(value, list_separator(s.rt))) {
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, i, 0);
      if (length < 0 || static_cast<size_t>(length) != wanted.size()) continue;
      std::string text(static_cast<size_t>(length) + 1, '\0');
      ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<size_t>(length));
      if (text == wanted) {
        ::SendMessageA(list, LB_SETSEL, TRUE, i);
        break;
      }
    }
  }
}

// "CAPTION", "TEXT", "SELECTION": the script's line feeds become the
// controls' line breaks first. A list or static combo selects the first
// item that begins with the value (searching from the top).
bool set_text(Setting& s) {
  const std::string value = rules::to_control_breaks(s.value);
  HWND window = s.element.window;
  const LPARAM text = reinterpret_cast<LPARAM>(value.c_str());
  if (s.keyword == "SELECTION") {
    if (is_list(s.element)) ::SendMessageA(window, LB_SELECTSTRING, static_cast<WPARAM>(-1), text);
    else if (s.element.type == rules::kTypeStaticCombo)
      ::SendMessageA(window, CB_SELECTSTRING, static_cast<WPARAM>(-1), text);
    else if (is_multi_list(s.element)) select_equal_items(s, value);
    else ::SendMessageA(window, EM_REPLACESEL, 0, text);
  } else if (is_menu_item(s.element)) {
    ::ModifyMenuA(item_menu(s.element), item_id(s), MF_BYCOMMAND | MF_STRING, item_id(s),
                  value.c_str());
    ::DrawMenuBar(window);
  } else {
    ::SendMessageA(window, WM_SETTEXT, 0, text);
  }
  ::UpdateWindow(window);
  return true;
}

bool set_visible(Setting& s) {
  ::ShowWindow(s.element.window, is_off(s.value) ? SW_HIDE : SW_SHOW);
  ::UpdateWindow(s.element.window);
  return true;
}

bool set_enabled(Setting& s) {
  if (is_menu_item(s.element)) {
    ::EnableMenuItem(item_menu(s.element), item_id(s),
                     MF_BYCOMMAND | (is_off(s.value) ? MF_GRAYED : MF_ENABLED));
    ::DrawMenuBar(s.element.window);
  } else {
    ::EnableWindow(s.element.window, is_off(s.value) ? FALSE : TRUE);
  }
  ::UpdateWindow(s.element.window);
  return true;
}

bool set_checked(Setting& s) {
  if (is_menu_item(s.element)) {
    ::CheckMenuItem(item_menu(s.element), item_id(s),
                    MF_BYCOMMAND | (is_off(s.value) ? MF_UNCHECKED : MF_CHECKED));
    ::DrawMenuBar(s.element.window);
  } else {
    ::SendMessageA(s.element.window, BM_SETCHECK, is_off(s.value) ? BST_UNCHECKED : BST_CHECKED,
                   0);
  }
  ::UpdateWindow(s.element.window);
  return true;
}

bool set_read_only(Setting& s) {
  ::SendMessageA(s.element.window, EM_SETREADONLY, is_off(s.value) ? FALSE : TRUE, 0);
  ::UpdateWindow(s.element.window);
  return true;
}

// "SELINDEX", 1-based. A single list fails for an index outside it (and
// for 0, which also clears the selection); a multiple list adds each item
// of the value to the selection.
bool set_selected_index(Setting& s) {
  HWND list = s.element.window;
  if (is_list(s.element)) {
    return ::SendMessageA(list, LB_SETCURSEL, text_to_int(s.value) - 1, 0) != LB_ERR;
  }
  for (const std::string& item : split_list(s.value, list_separator(s.rt))) {
    ::SendMessageA(list, LB_SETSEL, TRUE, text_to_int(item) - 1);
  }
  return true;
}

// "FOCUS" focuses the element; "FOCUS_NEXT" and "FOCUS_PREV" move the
// focus from whichever window has it to the next or previous tab stop of
// its dialog. (A dialog-navigation message sent to the focused control
// would do nothing: neither the controls nor the runtime's window class
// handle it.)
bool set_focus(Setting& s) {
  if (s.keyword == "FOCUS") {
    ::SetFocus(s.element.window);
    ::UpdateWindow(s.element.window);
    return true;
  }
  HWND focus = ::GetFocus();
  if (focus != nullptr) {
    const BOOL previous = s.keyword == "FOCUS_PREV" ? TRUE : FALSE;
    HWND next = ::GetNextDlgTabItem(::GetAncestor(focus, GA_ROOT), focus, previous);
    if (next != nullptr) ::SetFocus(next);
    ::UpdateWindow(::GetFocus());
  }
  return true;
}

bool set_progress(Setting& s) {
  ::SendMessageA(s.element.window, PBM_SETPOS, text_to_int(s.value), 0);
  return true;
}

bool apply_tooltip(Setting& s) {
  set_tooltip(s.element, s.value);
  return true;
}

bool apply_status_bar(Setting& s) {
  set_status_bar(s.element, s.value, list_separator(s.rt));
  return true;
}

bool apply_image(Setting& s) {
  return set_image(s.element, s.keyword == "IMAGE_TRANSPARENT", s.value);
}

bool apply_icon(Setting& s) {
  set_icon(s.element, s.value);
  return true;
}

bool apply_menu(Setting& s) {
  set_menu(s.element, s.value, list_separator(s.rt));
  return true;
}

bool apply_style(Setting& s) {
  set_style(s.element, s.value);
  return true;
}

bool apply_order(Setting& s) {
  set_order(s.element, s.value);
  return true;
}

bool set_event_switch(Setting& s) {
  const int kind = rules::event_kind_from_name(std::string_view(s.keyword).substr(6), false);
  if (kind == 0) return false;
  s.element.switches[static_cast<size_t>(kind - 1)] = s.value == "0";
  return true;
}

// Moves the element to `rect` (left, top, right, bottom in the system's
// coordinates) and repaints it.
void move_to(const Element& element, int x, int y, int width, int height) {
  ::MoveWindow(element.window, x, y, width, height, TRUE);
  ::InvalidateRect(element.window, nullptr, TRUE);
  ::UpdateWindow(element.window);
}

// "POSITION": x, y, width and height, 1-based, without the theme allowance.
bool set_position(Setting& s) {
  const std::optional<rules::Geometry> g = rules::parse_geometry(s.value, list_separator(s.rt));
  if (!g) return false;
  move_to(s.element, g->x - 1, g->y - 1, g->width - 1, g->height - 1);
  return true;
}

// "ITEMS": replaces the items of a list or combo box (split by separator
// text); a combo box keeps the text shown in its edit field.
bool set_items(Setting& s) {
  HWND window = s.element.window;
  const std::vector<std::string> items = split_list(s.value, list_separator(s.rt));
  const int type = s.element.type;
  if (type == rules::kTypeList || type == rules::kTypeMultiList) {
    ::SendMessageA(window, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
      ::SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
  } else if (type == rules::kTypeCombo || type == rules::kTypeStaticCombo) {
    const std::string shown = window_text(window);
    ::SendMessageA(window, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
      ::SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (!shown.empty()) {
      ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
  }
  ::UpdateWindow(window);
  return true;
}

bool set_font(Setting& s) {
  return apply_font(s.element, s.value, list_separator(s.rt));
}

// "SELPOS": start (1-based) and length of the selection of an edit box.
bool set_selection_span(Setting& s) {
  const std::optional<rules::Span> span = rules::parse_span(s.value, list_separator(s.rt));
  if (!span) return false;
  const int start = span->start - 1;
  ::SendMessageA(s.element.window, EM_SETSEL, start, start + span->length);
  ::SendMessageA(s.element.window, EM_SCROLLCARET, 0, 0);
  ::UpdateWindow(s.element.window);
  return true;
}

// "X", "Y", "WIDTH", "HEIGHT": one edge changes, the others stay.
bool set_edge(Setting& s) {
  const RECT r = element_rect(s.element);
  int x = r.left;
  int y = r.top;
  int width = r.right - r.left;
  int height = r.bottom - r.top;
  const int value = text_to_int(s.value) - 1;
  if (s.keyword == "X") x = value;
  else if (s.keyword == "Y") y = value;
  else if (s.keyword == "WIDTH") width = value;
  else height = value;
  move_to(s.element, x, y, width, height);
  return true;
}

// Which elements a row applies to.
bool any_element(const Element&) { return true; }
bool not_menu_item(const Element& e) { return !is_menu_item(e); }
bool dialog_only(const Element& e) { return e.type == rules::kTypeDialog; }
bool control_only(const Element& e) { return e.type != rules::kTypeDialog && !is_menu_item(e); }
bool list_types(const Element& e) { return is_list(e) || is_multi_list(e); }
bool progress_only(const Element& e) { return e.type == rules::kTypeProgress; }
bool edit_types(const Element& e) {
  return e.type == rules::kTypeInput || e.type == rules::kTypeEdit ||
         e.type == rules::kTypePassword;
}

// One row of the order: the keywords it takes (a prefix row takes every
// keyword that begins with its one entry), the elements it applies to and
// the setter.
struct SetRow {
  std::array<const char*, 4> keywords;
  bool prefix;
  bool (*applies)(const Element&);
  bool (*apply)(Setting&);
};

const SetRow kSetRows[] = {
    {{"CAPTION", "TEXT", "SELECTION"}, false, any_element, set_text},
    {{"VISIBLE"}, false, not_menu_item, set_visible},
    {{"ENABLED"}, false, any_element, set_enabled},
    {{"CHECKED"}, false, any_element, set_checked},
    {{"READONLY"}, false, any_element, set_read_only},
    {{"SELINDEX"}, false, list_types, set_selected_index},
    {{"FOCUS", "FOCUS_NEXT", "FOCUS_PREV"}, false, not_menu_item, set_focus},
    {{"TOOLTIP"}, false, not_menu_item, apply_tooltip},
    {{"STATUSBAR"}, false, dialog_only, apply_status_bar},
    {{"IMAGE", "IMAGE_TRANSPARENT"}, false, control_only, apply_image},
    {{"ICON"}, false, dialog_only, apply_icon},
    {{"MENU"}, false, not_menu_item, apply_menu},
    {{"STYLE"}, false, dialog_only, apply_style},
    {{"ORDER"}, false, dialog_only, apply_order},
    {{"PROGRESS"}, false, progress_only, set_progress},
    {{"EVENT_"}, true, any_element, set_event_switch},
    {{"POSITION"}, false, not_menu_item, set_position},
    {{"ITEMS"}, false, not_menu_item, set_items},
    {{"FONT"}, false, not_menu_item, set_font},
    {{"SELPOS"}, false, edit_types, set_selection_span},
    {{"X", "Y", "WIDTH", "HEIGHT"}, false, not_menu_item, set_edge},
};

bool row_matches(const SetRow& row, std::string_view keyword) {
  for (const char* word : row.keywords) {
    if (word == nullptr) break;
    if (row.prefix ? keyword.starts_with(word) : keyword == word) return true;
  }
  return false;
}

}  // namespace

// RD01 name, property, value. "-1" for an unknown element or keyword, or a
// keyword that does not apply to the element; otherwise the setter's
// result.
int set_property(Runtime& rt) {
  const std::string name = eval_operand(rt);
  const std::string property = keyword(eval_operand(rt));
  const std::string value = eval_operand(rt);
  set_result(rt, false);
  const std::optional<Target> target = find_target(name);
  if (!target) return kStepNext;
  Setting setting{rt, target->index, *target->element, property, value};
  for (const SetRow& row : kSetRows) {
    if (!row_matches(row, property)) continue;
    if (row.apply != nullptr && row.applies(*target->element)) {
      set_result(rt, row.apply(setting));
    }
    break;
  }
  return kStepNext;
}

}  // namespace kestrel::win32::designer
