#include "dialogs/window_class.h"

#include "dialogs/completion.h"

namespace kestrel::win32 {

namespace {

HINSTANCE instance_ = nullptr;
HWND owner_ = nullptr;
int theme_height_ = 0;
bool theme_active_ = false;

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      return 0;
    default:
      return ::DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

bool register_window_class(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = window_procedure;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1000));
  wc.hIconSm = ::LoadIconA(instance, MAKEINTRESOURCEA(1000));
  wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "ksw";
  return ::RegisterClassExA(&wc) != 0;
}

void probe_theme() {
  HMODULE uxtheme = ::LoadLibraryA("UxTheme.dll");
  if (!uxtheme) return;
  using IsThemeActiveFn = BOOL(WINAPI*)();
  auto is_theme_active = reinterpret_cast<IsThemeActiveFn>(
      reinterpret_cast<void*>(::GetProcAddress(uxtheme, "IsThemeActive")));
  if (is_theme_active && is_theme_active() == 1) {
    theme_active_ = true;
    theme_height_ = 10;
  }
}

int theme_extra_height() { return theme_height_; }
bool theme_active() { return theme_active_; }

void create_builtin_windows(HINSTANCE instance) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN);
  const int cy = ::GetSystemMetrics(SM_CYSCREEN);
  owner_ = ::CreateWindowExA(0, "ksw", "", WS_BORDER, cx / 2 - 280, cy / 2 - 205, 0, 0,
                             nullptr, nullptr, instance, nullptr);
}

HWND owner_window() { return owner_; }

Completion& completion() {
  static Completion state;
  return state;
}
HINSTANCE module_instance() { return instance_; }

}  // namespace kestrel::win32
