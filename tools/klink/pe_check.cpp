#include "pe_check.h"

#include <cstdint>

namespace klink {

namespace {

constexpr size_t kNewHeaderOffsetField = 0x3C;

uint32_t read_le32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
  return value;
}

}  // namespace

bool is_pe_file(std::string_view bytes, std::string& why) {
  if (bytes.size() < kNewHeaderOffsetField + 4 || bytes.substr(0, 2) != "MZ") {
    why = "no MZ signature";
    return false;
  }
  const uint32_t pe_offset = read_le32(bytes, kNewHeaderOffsetField);
  if (pe_offset > bytes.size() - 4 || bytes.substr(pe_offset, 4) != std::string_view("PE\0\0", 4)) {
    why = "no PE signature";
    return false;
  }
  return true;
}

}  // namespace klink
