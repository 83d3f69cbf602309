#include "dialogs/dialog_support.h"

#include "core/runtime.h"
#include "core/text.h"
#include "dialogs/window_class.h"
#include "varsys/store.h"

namespace kestrel::win32 {

std::string system_text(Runtime& rt, const char* name) {
  std::string value;
  get_variable(rt, name, value, rt.area);
  return value;
}

int system_int(Runtime& rt, const char* name) { return text_to_int(system_text(rt, name)); }

std::string window_text(HWND window) {
  if (!window) return {};
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

void show_with_layout(HWND window, int x, int y, int width, int height) {
  if (!window) return;
  ::MoveWindow(window, x, y, width, height, TRUE);
  ::ShowWindow(window, SW_SHOW);
  RECT client;
  if (::GetClientRect(window, &client))
    ::SendMessageA(window, WM_SIZE, SIZE_RESTORED,
                   MAKELPARAM(client.right - client.left, client.bottom - client.top));
}

bool end_dialog(HWND window) {
  const bool confirmed = completion().result == 0;
  if (window) ::ShowWindow(window, SW_HIDE);
  completion().result = -1;
  return confirmed;
}

void reactivate_foreground() { ::SetActiveWindow(::GetForegroundWindow()); }

}  // namespace kestrel::win32
