// RD04: destroying and releasing elements.
#include <windows.h>

#include <deque>

#include "commands/designer_rules.h"
#include "designer/designer_access.h"
#include "designer/designer_handlers.h"
#include "varsys/eval.h"

namespace kestrel::win32::designer {

namespace {

namespace rules = kestrel::designer;

// Releases a menu item: its entry leaves the dialog's menu, the dialog
// itself stays.
void release_menu_item(Element& element, int index) {
  HMENU menu = item_menu(element);
  if (menu != nullptr && ::DeleteMenu(menu, static_cast<UINT>(element_id(index)), MF_BYCOMMAND)) {
    ::DrawMenuBar(element.window);
  }
  release_element(element, false);
}

// Releases every record whose name lies inside `owner` ("owner:..."),
// wherever it lies in the table. Their windows normally went with the
// owner's window; one that still exists (a top-level dialog whose name
// begins with the owner's) is destroyed with its record.
void release_inside(std::string_view owner) {
  std::deque<Element>& table = elements();
  for (Element& element : table) {
    if (element.name && rules::is_inside(*element.name, owner)) {
      release_element(element, !is_menu_item(element));
    }
  }
}

}  // namespace

// RD04 name: releases every record of that name; a dialog or control takes
// the records inside it along, a menu item only leaves its menu. "0" when
// any record was released.
int release_elements(Runtime& rt) {
  const std::string name = eval_operand(rt);
  bool released = false;
  bool had_window = false;
  std::deque<Element>& table = elements();
  for (size_t i = 0; i < table.size(); ++i) {
    Element& element = table[i];
    if (!element.name || *element.name != name) continue;
    released = true;
    if (is_menu_item(element)) {
      release_menu_item(element, static_cast<int>(i));
    } else {
      had_window = true;
      release_element(element, true);
    }
  }
  // Child windows die with their parent, so the records inside a released
  // dialog or group box would otherwise keep stale windows.
  if (had_window) release_inside(name);
  set_result(rt, released);
  return kStepNext;
}

}  // namespace kestrel::win32::designer
