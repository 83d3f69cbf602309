#include "native/listing.h"

namespace kestrel {

bool is_raw_code(std::string_view bytes) {
  return bytes.find('\x01') != std::string_view::npos;
}

std::string listing_to_code(std::string_view listing) {
  std::string code;
  size_t pos = 0;
  while (pos < listing.size()) {
    size_t end = listing.find('\n', pos);
    const bool last = end == std::string_view::npos;
    if (last) end = listing.size();
    std::string_view line = listing.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos = end + 1;
    const size_t first = line.find_first_not_of(" \t");
    if (first != std::string_view::npos && line[first] == ';') continue;
    if (last && line.empty()) break;
    code.append(line);
    code.push_back('\x01');
  }
  return code;
}

}  // namespace kestrel
