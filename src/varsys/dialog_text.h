// The portable rules of the standard dialogs: line-break conversion of the
// edit box, the keywords of the edit-box mode and of the message-box button
// sets, the placement of a built-in window from a script position, and the
// info window's hide mode.
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// Every line feed becomes carriage return plus line feed, also one that
// already follows a carriage return (so "\r\n" becomes "\r\r\n").
std::string line_feeds_to_crlf(std::string_view text);
// Every carriage return plus line feed becomes a line feed; lone carriage
// returns stay.
std::string crlf_to_line_feeds(std::string_view text);

// The edit-box mode as an integer: "EDITABLE" and "WRITEABLE" give 0,
// "READONLY" gives -1 (after trimming, in any case); any other text is
// converted as it is. The field is read-only exactly for -1.
int edit_mode_value(std::string_view mode);

// The message-box style of a button set: the keywords "OK", "OKCANCEL",
// "CANCELRETRYIGNORE", "YESNOCANCEL", "YESNO" and "RETRYCANCEL" (trimmed,
// any case) give 0 to 5; any other text is converted to an integer, so
// style numbers with icon flags pass through.
int button_set_style(std::string_view buttons);

// A script coordinate or size (1-based) as the system's value: one less,
// without overflow at the lower end of the range.
int script_to_system(int script_value);

// The system coordinate of a built-in window from a script coordinate
// (1-based): one less; below zero means centred, half the screen minus half
// the window (integer halves rounded towards zero).
int place_coordinate(int script_value, int screen_size, int window_size);

// The info window's mode: "-1" or "HIDE" after upper-casing (no trimming)
// hides the window.
bool is_hide_mode(std::string_view mode);

}  // namespace kestrel
