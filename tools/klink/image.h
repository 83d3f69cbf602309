// The image: the runtime executable, a banner line ending in CR LF, the
// code, and a 4-byte little-endian trailer holding the absolute file offset
// of the first code byte.
#pragma once

#include <string>
#include <string_view>

namespace klink {

inline constexpr std::string_view kBanner = "KESTREL-IMAGE 2.1\r\n";

// Appends banner, code and trailer to a copy of `runtime` into `image`.
// False (with `why`) when the result would not fit the 32-bit trailer.
bool build_image(std::string_view runtime, std::string_view code, std::string& image,
                 std::string& why);

// The code attached to `image`: the bytes from the trailer's offset up to
// the trailer (an offset equal to the file size means empty code). False
// (with `why`) when the file is too short or the offset lies outside it.
bool attached_code(std::string_view image, std::string_view& code, std::string& why);

}  // namespace klink
