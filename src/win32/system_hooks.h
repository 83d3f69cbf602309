// The read and write hooks of the system variables: time and date, the
// clipboard, screen and pointer metrics, the foreground window, the theme
// state, the captions of the built-in windows' buttons, the info window,
// window activation by title and the class icon.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrel::win32 {

// A fresh value for the names 7, 10, 11, 12, 25, 32, 33, 34, 40, 41 and 56
// to 60; nothing for every other name (the stored value is read then).
std::optional<std::string> read_system_hook(std::string_view name);

// Acts for the names 13, 14, 17, 18, 23, 25, 28, 34, 39, 40 and 41 before
// the value is stored; 28 upper-cases `value` in place. Failures of the
// system calls leave things as they were.
void write_system_hook(std::string_view name, std::string& value);

// The operating-system version name of system variable 8.
std::string system_version_name();

// The clipboard's text ("" when it has none or cannot be opened), and
// putting a text on it; used by variable 25.
std::string clipboard_text();
void set_clipboard_text(const std::string& text);

}  // namespace kestrel::win32
