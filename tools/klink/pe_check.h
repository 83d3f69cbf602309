// Recognises a Windows PE executable by its two signatures.
#pragma once

#include <string>
#include <string_view>

namespace klink {

// True when `bytes` starts with "MZ" and the 32-bit little-endian offset at
// 0x3C points at "PE\0\0" inside `bytes`. Otherwise false with a short
// reason in `why`.
bool is_pe_file(std::string_view bytes, std::string& why);

}  // namespace klink
