// Dialog menus: the menu bar built from a menu description, one menu item
// element per item (named "dialog:Menu_text", command id 2000 + index).
#include <windows.h>

#include <string>
#include <vector>

#include "commands/designer_rules.h"
#include "commands/menu_rules.h"
#include "designer/designer_access.h"
#include "designer/decorations.h"

namespace kestrel::win32::designer {

namespace {

namespace rules = kestrel::designer;

// Appends a menu item element for `text` to `menu`.
void append_item(HMENU menu, HWND window, std::string_view owner, const std::string& text) {
  std::string name(owner);
  name += ":Menu_";
  name += text;
  const int index = new_element(name);
  Element& item = *element_at(index);
  item.window = window;
  item.type = rules::kTypeMenuItem;
  item.switches[rules::kEventClick - 1] = true;
  ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(element_id(index)), text.c_str());
}

// Builds the menu bar of `window` for the element named `owner`. The old
// menu and its item elements go first, so the new items usually take the
// same records and ids again. A child window (a control) cannot show a
// menu: its items are created all the same, its menus are destroyed at
// once. Pop-ups still open at the end of the description are never
// attached and are destroyed.
void build_menu(HWND window, std::string_view owner, std::string_view description,
                std::string_view separator) {
  for (Element& element : elements()) {
    if (is_menu_item(element) && element.window == window) release_element(element, false);
  }
  const bool top_level = (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0;
  if (HMENU old = top_level ? ::GetMenu(window) : nullptr) {
    ::SetMenu(window, nullptr);
    ::DestroyMenu(old);
  }
  if (!description.empty()) {
    std::vector<HMENU> menus{::CreateMenu()};  // by level; 0 is the menu bar
    for (const rules::MenuStep& step : rules::read_menu_description(description, separator)) {
      switch (step.kind) {
        case rules::MenuStep::kOpen: menus.push_back(::CreateMenu()); break;
        case rules::MenuStep::kClose: {
          HMENU popup = menus.back();
          menus.pop_back();
          if (!::AppendMenuA(menus.back(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                             step.text.c_str())) {
            ::DestroyMenu(popup);
          }
          break;
        }
        case rules::MenuStep::kSeparator: ::AppendMenuA(menus.back(), MF_SEPARATOR, 0, nullptr); break;
        case rules::MenuStep::kItem: append_item(menus.back(), window, owner, step.text); break;
      }
    }
    for (size_t level = menus.size() - 1; level > 0; --level) ::DestroyMenu(menus[level]);
    if (!top_level || !::SetMenu(window, menus[0])) ::DestroyMenu(menus[0]);
  }
  ::DrawMenuBar(window);
}

}  // namespace

void set_menu(Element& element, const std::string& description, std::string_view separator) {
  // New records never move the element (the table is a deque), and the
  // records released are menu items, never the element itself.
  build_menu(element.window, element.name.value_or(std::string()), description, separator);
  if (description.empty()) drop_attachment(element, kAttachMenu);
  else ensure_attachment(element, kAttachMenu).data = description;
}

}  // namespace kestrel::win32::designer
