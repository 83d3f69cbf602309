// Text listings and raw intermediate code.
//
// A listing has one instruction per line (LF or CR LF line ends). Lines whose
// first non-blank character is ';' are comments and are dropped; every other
// line, blank ones included, becomes one code line followed by the separator
// byte 0x01. Raw code is already separated by 0x01 and is used as it is.
#pragma once

#include <string>
#include <string_view>

namespace klink {

inline constexpr char kSeparator = '\x01';

// True when `bytes` is raw intermediate code: it contains a 0x01 byte, which
// a listing line can never hold.
bool is_raw_code(std::string_view bytes);

// The intermediate code of a listing.
std::string listing_to_code(std::string_view listing);

// The listing of intermediate code: one line per instruction, ended by LF;
// both 0x01 and 0x0A end a line. A last line without an end is printed too.
std::string code_to_listing(std::string_view code);

}  // namespace klink
