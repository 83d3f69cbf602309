// What the designer commands share: the result code, the list separator,
// element lookup for a command, window texts and element rectangles in
// script terms, and the menu of a menu item.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/runtime.h"
#include "designer/element_table.h"

namespace kestrel::win32::designer {

// Stores "0" (true) or "-1" (false) in the result code.
void set_result(Runtime& rt, bool success);

// The current list separator (system variable 44).
std::string list_separator(Runtime& rt);

// The element that a command addresses: found by name and holding a
// window. None otherwise (the commands then fail).
struct Target {
  int index = 0;
  Element* element = nullptr;
};
std::optional<Target> find_target(std::string_view name);

// The control id, menu command id and event result of element `index`.
inline int element_id(int index) { return 2000 + index; }

// The window text (WM_GETTEXTLENGTH, WM_GETTEXT), as it stands.
std::string window_text(HWND window);

// The element's rectangle: screen coordinates for a dialog, the parent's
// client coordinates for a control.
RECT element_rect(const Element& element);

// The menu that holds menu item `element` (the menu of its dialog); none
// for the items of a control, which cannot show a menu.
HMENU item_menu(const Element& element);

// True for a menu item element.
bool is_menu_item(const Element& element);

// Registers the release of the element table at the end of the run (once).
void ensure_shutdown_release();

}  // namespace kestrel::win32::designer
