#include "window_fields.h"

#include <cstdio>

#include "window_access.h"

namespace kspy {

std::string hex32(unsigned long value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", value);
  return buffer;
}

JsonLine& window_fields(JsonLine& line, HWND hwnd) {
  const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  HWND parent = (style & WS_CHILD) ? ::GetParent(hwnd) : nullptr;
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  if (parent) ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  RECT client{};
  ::GetClientRect(hwnd, &client);
  return line.text("hwnd", handle_text(hwnd))
      .text("parent", handle_text(parent))
      .text("class", utf8(class_name(hwnd)))
      .text("text", utf8(window_text(hwnd)))
      .number("id", parent ? ::GetDlgCtrlID(hwnd) : 0)
      .text("style", hex32(static_cast<unsigned long>(style)))
      .text("exstyle", hex32(static_cast<unsigned long>(::GetWindowLongW(hwnd, GWL_EXSTYLE))))
      .number("x", rect.left)
      .number("y", rect.top)
      .number("w", rect.right - rect.left)
      .number("h", rect.bottom - rect.top)
      .number("cw", client.right)
      .number("ch", client.bottom)
      .boolean("visible", ::IsWindowVisible(hwnd) != FALSE)
      .boolean("enabled", ::IsWindowEnabled(hwnd) != FALSE);
}

}  // namespace kspy
