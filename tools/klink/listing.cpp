#include "listing.h"

namespace klink {

bool is_raw_code(std::string_view bytes) {
  return bytes.find(kSeparator) != std::string_view::npos;
}

std::string listing_to_code(std::string_view listing) {
  std::string code;
  code.reserve(listing.size() + 1);
  size_t pos = 0;
  while (pos < listing.size()) {
    size_t end = listing.find('\n', pos);
    if (end == std::string_view::npos) end = listing.size();
    std::string_view line = listing.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t first = line.find_first_not_of(" \t");
    if (first != std::string_view::npos && line[first] == ';') continue;
    code.append(line);
    code.push_back(kSeparator);
  }
  return code;
}

std::string code_to_listing(std::string_view code) {
  std::string listing;
  listing.reserve(code.size() + 1);
  for (char c : code) listing.push_back(c == kSeparator ? '\n' : c);
  if (!listing.empty() && listing.back() != '\n') listing.push_back('\n');
  return listing;
}

}  // namespace klink
