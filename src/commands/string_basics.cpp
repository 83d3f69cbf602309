#include "commands/string_basics.h"

#include <algorithm>

namespace kestrel {

std::string lower_with_umlauts(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') {
      c = static_cast<char>(byte - 'A' + 'a');
    } else if (byte == 0xC4 || byte == 0xD6 || byte == 0xDC) {
      c = static_cast<char>(byte + 0x20);  // Ä Ö Ü to ä ö ü
    }
  }
  return result;
}

std::string_view part_of(std::string_view text, int64_t start, int64_t count) {
  if (count < 0) count = 1;
  const int64_t length = static_cast<int64_t>(text.size());
  const int64_t first = start >= 1 ? start - 1 : std::max<int64_t>(length - count, 0);
  if (first >= length) return {};
  const int64_t taken = std::min(count, length - first);
  return text.substr(static_cast<size_t>(first), static_cast<size_t>(taken));
}

std::optional<char> byte_at(std::string_view text, int64_t position) {
  if (position < 1 || position > static_cast<int64_t>(text.size())) return std::nullopt;
  return text[static_cast<size_t>(position - 1)];
}

std::string text_of_code(int64_t code) {
  const auto byte = static_cast<unsigned char>(static_cast<uint64_t>(code) & 0xFF);
  if (byte == 0) return {};
  return std::string(1, static_cast<char>(byte));
}

int code_of_first(std::string_view text) {
  return text.empty() ? 0 : static_cast<unsigned char>(text.front());
}

}  // namespace kestrel
