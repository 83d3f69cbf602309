// RD02: reading one property of an element, in the conventions that RD01
// accepts (states "0"/"-1", 1-based geometry, lists joined with the list
// separator). The keywords are tried in the order of the table at the end.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "commands/designer_rules.h"
#include "core/text.h"
#include "designer/designer_access.h"
#include "designer/designer_handlers.h"
#include "varsys/eval.h"
#include "varsys/store.h"

namespace kestrel::win32::designer {

namespace {

namespace rules = kestrel::designer;

constexpr size_t kMenuTextLimit = 2048;
constexpr int kSelectedItemLimit = 1024;

// What a reader gives: an answer, nothing (target unwritten, result "0"),
// or a failure (target unwritten, result "-1").
struct Reading {
  enum Outcome { kAnswer, kKeep, kFail } outcome = kAnswer;
  std::string text;
};

Reading answer(std::string text) { return {Reading::kAnswer, std::move(text)}; }
Reading state(bool on) { return answer(on ? "0" : "-1"); }
const Reading kKeep{Reading::kKeep, {}};
const Reading kFail{Reading::kFail, {}};

// What one RD02 looks at.
struct Query {
  Runtime& rt;
  int index;
  Element& element;
  std::string keyword;
};

bool menu_item(const Query& q) { return is_menu_item(q.element); }
UINT item_id(const Query& q) { return static_cast<UINT>(element_id(q.index)); }
bool is_dialog(const Query& q) { return q.element.type == rules::kTypeDialog; }

std::string list_item_text(HWND list, UINT length_message, UINT text_message, WPARAM i) {
  const LRESULT length = ::SendMessageA(list, length_message, i, 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      ::SendMessageA(list, text_message, i, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? std::min(static_cast<size_t>(copied), text.size() - 1) : 0);
  return text;
}

std::string list_box_text(HWND list, WPARAM i) {
  return list_item_text(list, LB_GETTEXTLEN, LB_GETTEXT, i);
}

// The selected items of a multiple-selection list, in list order, at most
// 1024 of them.
std::vector<int> selected_items(HWND list) {
  const LRESULT count = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> items(static_cast<size_t>(std::min<LRESULT>(count, kSelectedItemLimit)));
  const LRESULT got = ::SendMessageA(list, LB_GETSELITEMS, items.size(),
                                     reinterpret_cast<LPARAM>(items.data()));
  items.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return items;
}

std::string menu_text(const Query& q) {
  std::array<char, kMenuTextLimit> buffer{};
  const int length = ::GetMenuStringA(item_menu(q.element), item_id(q), buffer.data(),
                                      static_cast<int>(buffer.size()), MF_BYCOMMAND);
  return std::string(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

// The selected part of the window text (edit controls; others report no
// selection).
std::string selected_text(HWND window) {
  const std::string text = window_text(window);
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageA(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  if (start >= text.size() || end <= start) return {};
  return text.substr(start, end - start);
}

// "CAPTION", "TEXT", "SELECTION" (a static combo always answers its text).
Reading read_text(Query& q) {
  HWND window = q.element.window;
  const std::string separator = list_separator(q.rt);
  const bool selection = q.keyword == "SELECTION" && q.element.type != rules::kTypeStaticCombo;
  if (menu_item(q)) return answer(menu_text(q));
  if (selection && q.element.type == rules::kTypeList) {
    const LRESULT current = ::SendMessageA(window, LB_GETCURSEL, 0, 0);
    return answer(current == LB_ERR ? std::string() : list_box_text(window, current));
  }
  if (selection && q.element.type == rules::kTypeMultiList) {
    std::vector<std::string> texts;
    for (int item : selected_items(window)) texts.push_back(list_box_text(window, item));
    return answer(rules::join_texts(texts, separator));
  }
  if (selection) return answer(selected_text(window));
  return answer(rules::to_script_breaks(window_text(window)));
}

Reading read_visible(Query& q) {
  if (menu_item(q)) return kFail;
  return state(::IsWindowVisible(q.element.window) != FALSE);
}

Reading read_enabled(Query& q) {
  if (menu_item(q)) {
    const UINT menu_state = ::GetMenuState(item_menu(q.element), item_id(q), MF_BYCOMMAND);
    return state((menu_state & (MF_GRAYED | MF_DISABLED)) == 0);
  }
  return state(::IsWindowEnabled(q.element.window) != FALSE);
}

Reading read_checked(Query& q) {
  if (menu_item(q)) {
    const UINT menu_state = ::GetMenuState(item_menu(q.element), item_id(q), MF_BYCOMMAND);
    return state(menu_state != static_cast<UINT>(-1) && (menu_state & MF_CHECKED) != 0);
  }
  return state(::SendMessageA(q.element.window, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

Reading read_focus(Query& q) {
  if (menu_item(q)) return kFail;
  return state(::GetFocus() == q.element.window);
}

Reading read_read_only(Query& q) {
  if (menu_item(q)) return kFail;
  return state((::GetWindowLongA(q.element.window, GWL_STYLE) & ES_READONLY) != 0);
}

// "SELINDEX", 1-based; "0" when nothing is selected.
Reading read_selected_index(Query& q) {
  HWND window = q.element.window;
  if (q.element.type == rules::kTypeList) {
    const LRESULT current = ::SendMessageA(window, LB_GETCURSEL, 0, 0);
    return answer(int_text(current == LB_ERR ? 0 : current + 1));
  }
  if (q.element.type == rules::kTypeMultiList) {
    std::vector<std::string> numbers;
    for (int item : selected_items(window)) numbers.push_back(int_text(item + 1));
    if (numbers.empty()) return answer("0");
    return answer(rules::join_texts(numbers, list_separator(q.rt)));
  }
  return kKeep;
}

// The data of attachment `kind`, or an empty text.
std::string attachment_data(Element& element, int kind) {
  const Attachment* entry = find_attachment(element, kind);
  return entry != nullptr ? entry->data : std::string();
}

Reading read_tooltip(Query& q) {
  if (menu_item(q)) return kFail;
  return answer(attachment_data(q.element, kAttachTooltip));
}

Reading read_status_bar(Query& q) {
  if (menu_item(q)) return kFail;
  if (!is_dialog(q)) return kKeep;
  return answer(attachment_data(q.element, kAttachStatusBar));
}

Reading read_image(Query& q) {
  if (menu_item(q)) return kFail;
  if (is_dialog(q)) return answer({});
  const int kind = q.keyword == "IMAGE" ? kAttachImage : kAttachImageTransparent;
  return answer(attachment_data(q.element, kind));
}

Reading read_icon(Query& q) {
  if (menu_item(q)) return kFail;
  return answer(is_dialog(q) ? attachment_data(q.element, kAttachIcon) : std::string());
}

// "MENU", "STYLE", "ORDER": texts that only dialogs keep.
Reading read_dialog_data(Query& q) {
  if (!is_dialog(q)) return answer({});
  const int kind = q.keyword == "MENU"    ? kAttachMenu
                   : q.keyword == "STYLE" ? kAttachStyle
                                          : kAttachOrder;
  return answer(attachment_data(q.element, kind));
}

Reading read_animation(Query&) { return answer({}); }

Reading read_progress(Query& q) {
  if (q.element.type != rules::kTypeProgress) return kFail;
  return answer(int_text(::SendMessageA(q.element.window, PBM_GETPOS, 0, 0)));
}

Reading read_handle(Query& q) {
  return answer(int_text(reinterpret_cast<intptr_t>(q.element.window)));
}

Reading read_type(Query& q) { return answer(rules::element_type_name(q.element.type)); }

Reading read_event_switch(Query& q) {
  const int kind = rules::event_kind_from_name(std::string_view(q.keyword).substr(6), true);
  return state(kind != 0 && q.element.event_on(kind));
}

// "ITEMS": every item of a list or combo box, joined with the separator.
Reading read_items(Query& q) {
  if (menu_item(q)) return kFail;
  HWND window = q.element.window;
  const int type = q.element.type;
  std::vector<std::string> items;
  if (type == rules::kTypeList || type == rules::kTypeMultiList) {
    const LRESULT count = ::SendMessageA(window, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) items.push_back(list_box_text(window, i));
  } else if (type == rules::kTypeCombo || type == rules::kTypeStaticCombo) {
    const LRESULT count = ::SendMessageA(window, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      items.push_back(list_item_text(window, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    }
  }
  return answer(rules::join_texts(items, list_separator(q.rt)));
}

Reading read_font(Query& q) {
  if (menu_item(q)) return kFail;
  return answer(is_dialog(q) ? std::string() : attachment_data(q.element, kAttachFont));
}

// "SELPOS" of an edit box: start + 1 and length.
Reading read_selection_span(Query& q) {
  const int type = q.element.type;
  if (menu_item(q) || (type != rules::kTypeInput && type != rules::kTypeEdit &&
                       type != rules::kTypePassword)) {
    return kFail;
  }
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageA(q.element.window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  const int first = static_cast<int>(start);
  return answer(rules::join_numbers({first + 1, static_cast<int>(end) - first},
                                    list_separator(q.rt)));
}

// "POSITION", "X", "Y", "WIDTH", "HEIGHT", 1-based.
Reading read_geometry(Query& q) {
  if (menu_item(q)) return kFail;
  const RECT r = element_rect(q.element);
  const int x = r.left + 1;
  const int y = r.top + 1;
  const int width = r.right - r.left + 1;
  const int height = r.bottom - r.top + 1;
  if (q.keyword == "POSITION") {
    return answer(rules::join_numbers({x, y, width, height}, list_separator(q.rt)));
  }
  if (q.keyword == "X") return answer(int_text(x));
  if (q.keyword == "Y") return answer(int_text(y));
  if (q.keyword == "WIDTH") return answer(int_text(width));
  return answer(int_text(height));
}

// One row of the order: its keywords (a prefix row takes every keyword
// that begins with its one entry) and its reader.
struct ReadRow {
  std::array<const char*, 5> keywords;
  bool prefix;
  Reading (*read)(Query&);
};

const ReadRow kReadRows[] = {
    {{"CAPTION", "TEXT", "SELECTION"}, false, read_text},
    {{"VISIBLE"}, false, read_visible},
    {{"ENABLED"}, false, read_enabled},
    {{"CHECKED"}, false, read_checked},
    {{"FOCUS"}, false, read_focus},
    {{"READONLY"}, false, read_read_only},
    {{"SELINDEX"}, false, read_selected_index},
    {{"TOOLTIP"}, false, read_tooltip},
    {{"STATUSBAR"}, false, read_status_bar},
    {{"IMAGE", "IMAGE_TRANSPARENT"}, false, read_image},
    {{"ICON"}, false, read_icon},
    {{"MENU", "STYLE", "ORDER"}, false, read_dialog_data},
    {{"ANIMATION"}, false, read_animation},
    {{"PROGRESS"}, false, read_progress},
    {{"HWND"}, false, read_handle},
    {{"TYPE"}, false, read_type},
    {{"EVENT_"}, true, read_event_switch},
    {{"ITEMS"}, false, read_items},
    {{"FONT"}, false, read_font},
    {{"SELPOS"}, false, read_selection_span},
    {{"POSITION", "X", "Y", "WIDTH", "HEIGHT"}, false, read_geometry},
};

bool row_matches(const ReadRow& row, std::string_view keyword) {
  for (const char* word : row.keywords) {
    if (word == nullptr) break;
    if (row.prefix ? keyword.starts_with(word) : keyword == word) return true;
  }
  return false;
}

}  // namespace

// RD02 target, name, property. "0" and the answer stored in the target, or
// "-1" with the target unwritten for an unknown element or keyword and for
// a keyword that does not apply.
int read_property(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string name = eval_operand(rt);
  const std::string property = keyword(eval_operand(rt));
  const std::optional<Target> found = find_target(name);
  if (!found) {
    set_result(rt, false);
    return kStepNext;
  }
  Query query{rt, found->index, *found->element, property};
  Reading reading = kFail;
  for (const ReadRow& row : kReadRows) {
    if (row_matches(row, property)) {
      reading = row.read(query);
      break;
    }
  }
  set_result(rt, reading.outcome != Reading::kFail);
  if (reading.outcome == Reading::kAnswer) {
    set_variable(rt, target, std::move(reading.text), rt.area);
  }
  return kStepNext;
}

}  // namespace kestrel::win32::designer
