// Rules of the program commands that need no Windows: the window-mode
// table of R010, R030 and R065.
#pragma once

#include <string_view>

namespace kestrel {

// Show commands with the values of the Windows ShowWindow constants.
namespace show_command {
inline constexpr int hide = 0;       // SW_HIDE
inline constexpr int minimized = 2;  // SW_SHOWMINIMIZED
inline constexpr int maximized = 3;  // SW_SHOWMAXIMIZED
inline constexpr int show = 5;       // SW_SHOW
}  // namespace show_command

// The show command for a window-mode operand of R010 and R030: the text is
// trimmed of blanks and tabs and put in capitals, then looked up ("HIDE" or
// "1", "MAXIMIZED" or "2", "MINIMIZED" or "3"); anything else shows.
int launch_show_command(std::string_view mode);

// The same table for R065, which puts the text in capitals without
// trimming it: " HIDE" is not recognised and shows.
int link_show_command(std::string_view mode);

}  // namespace kestrel
