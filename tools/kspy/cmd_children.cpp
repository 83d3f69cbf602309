// kspy children HWND: one JSON line per descendant window, parents first;
// positions relative to the client area of each window's parent.
#include <cstdio>

#include "commands.h"
#include "json.h"
#include "window_access.h"

namespace kspy {

namespace {

std::string hex32(unsigned long value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", value);
  return buffer;
}

}  // namespace

int cmd_children(const Args& args) {
  HWND parent = nullptr;
  if (args.positional.size() != 1 || !parse_handle(args.positional[0], parent))
    return usage("children needs one window handle");
  if (!::IsWindow(parent)) {
    std::fprintf(stderr, "kspy: %ls is not a window\n", args.positional[0].c_str());
    return 1;
  }
  for (HWND child : descendants(parent)) {
    HWND owner = ::GetParent(child);
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(HWND_DESKTOP, owner, reinterpret_cast<POINT*>(&rect), 2);
    JsonLine()
        .text("hwnd", handle_text(child))
        .text("parent", handle_text(owner))
        .text("class", utf8(class_name(child)))
        .text("text", utf8(window_text(child)))
        .number("id", ::GetDlgCtrlID(child))
        .text("style", hex32(static_cast<unsigned long>(::GetWindowLongW(child, GWL_STYLE))))
        .text("exstyle", hex32(static_cast<unsigned long>(::GetWindowLongW(child, GWL_EXSTYLE))))
        .number("x", rect.left)
        .number("y", rect.top)
        .number("w", rect.right - rect.left)
        .number("h", rect.bottom - rect.top)
        .boolean("visible", ::IsWindowVisible(child) != FALSE)
        .boolean("enabled", ::IsWindowEnabled(child) != FALSE)
        .print();
  }
  return 0;
}

}  // namespace kspy
