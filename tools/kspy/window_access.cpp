#include "window_access.h"

#include <cstdio>
#include <cwchar>

namespace kspy {

std::string utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
  return out;
}

std::wstring widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string handle_text(HWND hwnd) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%08lX",
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd)));
  return buffer;
}

bool parse_handle(const std::wstring& text, HWND& hwnd) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
  const unsigned long long value = std::wcstoull(text.c_str(), &end, hex ? 16 : 10);
  if (end == nullptr || *end != L'\0') return false;
  hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value));
  return true;
}

std::wstring class_name(HWND hwnd) {
  wchar_t buffer[256];
  const int n = ::GetClassNameW(hwnd, buffer, 256);
  return std::wstring(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring window_text(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length))
    return std::wstring();
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, 1000, &copied))
    return std::wstring();
  buffer.resize(static_cast<size_t>(copied) < buffer.size() ? static_cast<size_t>(copied) : length);
  return buffer;
}

namespace {

BOOL CALLBACK collect(HWND hwnd, LPARAM into) {
  reinterpret_cast<std::vector<HWND>*>(into)->push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<HWND> top_level_windows() {
  std::vector<HWND> found;
  ::EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> descendants(HWND parent) {
  std::vector<HWND> found;
  ::EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool same_text_nocase(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace kspy
