#include "designer/designer_access.h"

#include <algorithm>
#include <vector>

#include "commands/designer_rules.h"
#include "varsys/store.h"
#include "win32/win32_host.h"

namespace kestrel::win32::designer {

void set_result(Runtime& rt, bool success) {
  set_variable(rt, "0", success ? "0" : "-1", rt.area);
}

std::string list_separator(Runtime& rt) {
  std::string separator;
  get_variable(rt, "44", separator, rt.area);
  return separator;
}

std::optional<Target> find_target(std::string_view name) {
  const std::optional<int> index = find_element(name);
  if (!index) return std::nullopt;
  Element* element = element_at(*index);
  if (element == nullptr || element->window == nullptr) return std::nullopt;
  return Target{*index, element};
}

std::string window_text(HWND window) {
  const LRESULT length = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied = ::SendMessageA(window, WM_GETTEXT, buffer.size(),
                                        reinterpret_cast<LPARAM>(buffer.data()));
  if (copied <= 0) return {};
  return std::string(buffer.data(), std::min(static_cast<size_t>(copied), buffer.size() - 1));
}

RECT element_rect(const Element& element) {
  RECT rect{};
  ::GetWindowRect(element.window, &rect);
  if (element.type != kestrel::designer::kTypeDialog) {
    HWND parent = ::GetParent(element.window);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::ScreenToClient(parent, &corners[0]);
    ::ScreenToClient(parent, &corners[1]);
    rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  return rect;
}

HMENU item_menu(const Element& element) {
  // A child window has no menu: GetMenu would answer its control id.
  if ((::GetWindowLongA(element.window, GWL_STYLE) & WS_CHILD) != 0) return nullptr;
  return ::GetMenu(element.window);
}

bool is_menu_item(const Element& element) {
  return element.type == kestrel::designer::kTypeMenuItem;
}

void ensure_shutdown_release() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  host().on_shutdown([] { clear_elements(); });
}

}  // namespace kestrel::win32::designer
