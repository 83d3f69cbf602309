#include "dialogs/window_class.h"

namespace kestrel::win32 {

namespace {

HINSTANCE instance_ = nullptr;
int theme_height_ = 0;
UINT taskbar_created_ = 0;

using IsThemeActiveFn = BOOL(WINAPI*)();
// Found once at start; the library stays loaded for the whole run.
IsThemeActiveFn is_theme_active_ = nullptr;

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
  wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = "ksw";
  taskbar_created_ = ::RegisterWindowMessageA("TaskbarCreated");
  return ::RegisterClassExA(&wc) != 0;
}

// The theme function is optional: without "UxTheme.dll" or without the
// export the extra height stays 0 and variable 56 reads "-1".
void probe_theme() {
  HMODULE uxtheme = ::LoadLibraryA("UxTheme.dll");
  if (!uxtheme) return;
  is_theme_active_ = reinterpret_cast<IsThemeActiveFn>(
      reinterpret_cast<void*>(::GetProcAddress(uxtheme, "IsThemeActive")));
  if (is_theme_active_ && is_theme_active_() == 1) theme_height_ = 10;
}

int theme_extra_height() { return theme_height_; }

bool theme_active() { return is_theme_active_ && is_theme_active_() != 0; }

HWND owner_window() { return builtin_windows().owner; }

HINSTANCE module_instance() { return instance_; }

UINT taskbar_created_message() { return taskbar_created_; }

Completion& completion() {
  static Completion state;
  return state;
}

}  // namespace kestrel::win32
