// The read and write hooks of the system variables (time, clipboard,
// screen, pointer, built-in window captions, info window, icon).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrel::win32 {

std::optional<std::string> read_system_hook(std::string_view name);
void write_system_hook(std::string_view name, std::string& value);
// The operating-system version name of system variable 8.
std::string system_version_name();

}  // namespace kestrel::win32
