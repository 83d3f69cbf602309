// Text helpers shared by every part of the runtime: the language's number
// conversions and the keyword normalisation (trim blanks and tabs, capitals).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

// True for the two blank characters of the language: space and tab.
inline bool is_blank(char c) { return c == ' ' || c == '\t'; }

// The text without leading and trailing spaces and tabs.
std::string_view trim_blanks(std::string_view text);

// Letters a to z become A to Z; every other byte stays.
void upper_ascii_in_place(std::string& text);
std::string upper_ascii(std::string_view text);
// Letters A to Z become a to z; every other byte stays.
std::string lower_ascii(std::string_view text);

// A keyword operand as it is compared: trimmed and in capitals.
std::string keyword(std::string_view text);

// The standard text-to-integer rule: leading white space, optional sign,
// decimal digits up to the first other character; no digits read as 0.
// Values beyond the 32-bit range are clamped to it.
int32_t text_to_int(std::string_view text);
// The same rule without the 32-bit clamp (clamped to 64 bits).
int64_t text_to_int64(std::string_view text);

// The standard text-to-double rule: leading white space, optional sign,
// digits with an optional decimal point and exponent; the longest valid
// decimal prefix counts; a text without one reads as 0.
double text_to_double(std::string_view text);

// Decimal text of an integer, as "%d" writes it.
std::string int_text(int64_t value);

}  // namespace kestrel
