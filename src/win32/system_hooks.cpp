#include "win32/system_hooks.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "core/text.h"
#include "dialogs/window_class.h"
#include "varsys/os_version.h"
#include "win32/handles.h"

namespace kestrel::win32 {

namespace {

std::string format_int(const char* format, long value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::optional<std::string> local_time_part(std::string_view name) {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  if (name == "7") {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    return std::string(text);
  }
  if (name == "10") return format_int("%02ld", now.wDay);
  if (name == "11") return format_int("%02ld", now.wMonth);
  return format_int("%04ld", now.wYear);
}

std::string foreground_title() {
  HWND window = ::GetForegroundWindow();
  if (!window) return {};
  char title[2048];
  const int length = ::GetWindowTextA(window, title, sizeof title);
  return std::string(title, length > 0 ? static_cast<size_t>(length) : 0);
}

// The pointer coordinate in script terms (one more than the system's), or
// "-1" when the position cannot be read.
std::string pointer_coordinate(bool x) {
  POINT point;
  if (!::GetCursorPos(&point)) return "-1";
  return format_int("%ld", (x ? point.x : point.y) + 1);
}

std::optional<int> metric_of(std::string_view name) {
  if (name == "32") return SM_CXSCREEN;
  if (name == "33") return SM_CYSCREEN;
  if (name == "57") return SM_CXEDGE;
  if (name == "58") return SM_CYEDGE;
  if (name == "59") return SM_CYCAPTION;
  if (name == "60") return SM_CYMENU;
  return std::nullopt;
}

// A button caption variable: an empty value hides the button, any other
// value becomes its caption and shows it.
void set_button(HWND button, const std::string& value) {
  if (!button) return;
  if (value.empty()) {
    ::ShowWindow(button, SW_HIDE);
    return;
  }
  ::SendMessageA(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
  ::ShowWindow(button, SW_SHOW);
}

HWND button_of(std::string_view name) {
  const BuiltinWindows& w = builtin_windows();
  if (name == "13") return w.input_ok;
  if (name == "14") return w.input_cancel;
  if (name == "17") return w.edit_ok;
  if (name == "18") return w.edit_cancel;
  if (name == "23") return w.list_ok;
  return nullptr;
}

// Variable 28: "-1", "HIDE" or "HIDDEN" (any case) hides the info window
// and keeps it topmost; any other value shows it.
void set_info_state(std::string& value) {
  upper_ascii_in_place(value);
  HWND info = builtin_windows().info_window;
  if (!info) return;
  if (value == "-1" || value == "HIDE" || value == "HIDDEN") {
    ::ShowWindow(info, SW_HIDE);
    ::SetWindowPos(info, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  } else {
    ::ShowWindow(info, SW_SHOW);
  }
  ::UpdateWindow(info);
}

void activate_by_title(const std::string& title) {
  HWND window = ::FindWindowA(nullptr, title.c_str());
  if (!window) return;
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetForegroundWindow(window);
}

// The icon loaded from a file for variable 39; the class keeps using it
// until the next write, so it lives until then.
UniqueIcon& class_icon_from_file() {
  static UniqueIcon icon;
  return icon;
}

// Variable 39: the class's small icon from a file, or the built-in icon
// (resource 1000) for an empty value or a file that does not load.
void set_class_icon(const std::string& file) {
  HWND any = owner_window();
  if (!any) return;
  UniqueIcon loaded;
  if (!file.empty())
    loaded.reset(static_cast<HICON>(
        ::LoadImageA(nullptr, file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
  HICON icon = loaded ? loaded.get()
                      : ::LoadIconA(module_instance(), MAKEINTRESOURCEA(1000));
  ::SetClassLongPtrA(any, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(icon));
  class_icon_from_file() = std::move(loaded);  // frees the previous file icon
}

// Variables 40 and 41: a script coordinate goes to the system minus one;
// the other coordinate stays where the pointer is.
void move_pointer(bool x, const std::string& value) {
  POINT point;
  if (!::GetCursorPos(&point)) return;
  const int target = text_to_int(value) - 1;
  ::SetCursorPos(x ? target : point.x, x ? point.y : target);
}

}  // namespace

std::string clipboard_text() {
  if (!::OpenClipboard(nullptr)) return {};
  std::string text;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* locked = static_cast<const char*>(::GlobalLock(data))) {
      // The block may be larger than the text; the text ends at its zero
      // byte or at the end of the block.
      const SIZE_T size = ::GlobalSize(data);
      text.assign(locked, strnlen(locked, size));
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

void set_clipboard_text(const std::string& text) {
  if (!::OpenClipboard(nullptr)) return;
  ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (block) {
    if (char* locked = static_cast<char*>(::GlobalLock(block))) {
      std::memcpy(locked, text.c_str(), text.size() + 1);
      ::GlobalUnlock(block);
      // On success the clipboard owns the block; otherwise it is ours to free.
      if (!::SetClipboardData(CF_TEXT, block)) ::GlobalFree(block);
    } else {
      ::GlobalFree(block);
    }
  }
  ::CloseClipboard();
}

std::optional<std::string> read_system_hook(std::string_view name) {
  if (name == "7" || name == "10" || name == "11" || name == "12") return local_time_part(name);
  if (name == "25") return clipboard_text();
  if (name == "34") return foreground_title();
  if (name == "40") return pointer_coordinate(true);
  if (name == "41") return pointer_coordinate(false);
  if (name == "56") return std::string(theme_active() ? "0" : "-1");
  if (auto metric = metric_of(name)) return format_int("%ld", ::GetSystemMetrics(*metric));
  return std::nullopt;
}

void write_system_hook(std::string_view name, std::string& value) {
  if (HWND button = button_of(name)) set_button(button, value);
  else if (name == "25") set_clipboard_text(value);
  else if (name == "28") set_info_state(value);
  else if (name == "34") activate_by_title(value);
  else if (name == "39") set_class_icon(value);
  else if (name == "40") move_pointer(true, value);
  else if (name == "41") move_pointer(false, value);
}

std::string system_version_name() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
  if (!::GetVersionExA(&info)) return "unknown";
  return os_version_name({info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                          info.dwBuildNumber});
}

}  // namespace kestrel::win32
