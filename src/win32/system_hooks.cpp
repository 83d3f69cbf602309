#include "win32/system_hooks.h"

#include <windows.h>

#include <cstdio>

namespace kestrel::win32 {

std::optional<std::string> read_system_hook(std::string_view name) {
  if (name != "7" && name != "10" && name != "11" && name != "12") return std::nullopt;
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  char text[16];
  if (name == "7")
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
  else if (name == "10")
    std::snprintf(text, sizeof text, "%02d", now.wDay);
  else if (name == "11")
    std::snprintf(text, sizeof text, "%02d", now.wMonth);
  else
    std::snprintf(text, sizeof text, "%04d", now.wYear);
  return std::string(text);
}

void write_system_hook(std::string_view, std::string&) {}

std::string system_version_name() { return "unknown"; }

}  // namespace kestrel::win32
