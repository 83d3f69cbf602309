#include "image.h"

#include <cstdint>
#include <limits>

namespace klink {

namespace {

constexpr size_t kTrailerSize = 4;

void append_le32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool build_image(std::string_view runtime, std::string_view code, std::string& image,
                 std::string& why) {
  const size_t code_start = runtime.size() + kBanner.size();
  if (code_start + code.size() + kTrailerSize > std::numeric_limits<uint32_t>::max()) {
    why = "image would exceed 4 GiB";
    return false;
  }
  image.clear();
  image.reserve(code_start + code.size() + kTrailerSize);
  image.append(runtime);
  image.append(kBanner);
  image.append(code);
  append_le32(image, static_cast<uint32_t>(code_start));
  return true;
}

bool attached_code(std::string_view image, std::string_view& code, std::string& why) {
  if (image.size() < kTrailerSize) {
    why = "file is shorter than a trailer";
    return false;
  }
  const size_t trailer_at = image.size() - kTrailerSize;
  uint32_t start = 0;
  for (int i = 3; i >= 0; --i)
    start = (start << 8) | static_cast<unsigned char>(image[trailer_at + static_cast<size_t>(i)]);
  if (start == 0) {
    why = "trailer is 0: no code attached";
    return false;
  }
  if (start == image.size()) {
    code = std::string_view();
    return true;
  }
  if (start > trailer_at) {
    why = "trailer " + std::to_string(start) + " points past the code area (file size " +
          std::to_string(image.size()) + ")";
    return false;
  }
  code = image.substr(start, trailer_at - start);
  return true;
}

}  // namespace klink
