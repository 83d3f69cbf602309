// Text listings: one instruction per line (LF or CR LF); lines whose first
// non-blank character is ';' are comments. The code is the lines, each
// followed by the separator byte 0x01.
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// True when `bytes` already is intermediate code (separated by 0x01).
bool is_raw_code(std::string_view bytes);
// The intermediate code of a text listing.
std::string listing_to_code(std::string_view listing);

}  // namespace kestrel
