#include "core/code.h"

#include <cstring>

#include "core/text.h"

namespace kestrel {

void Code::assign(std::string bytes) {
  bytes_ = std::move(bytes);
  pos = 0;
  ++generation_;
}

void Code::clear() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  pos = 0;
  ++generation_;
}

char Code::read_token_char(const char* set) {
  for (;;) {
    const char c = read_char();
    if (c == 0) return 0;
    if (is_blank(c) && std::strchr(set, c) == nullptr) continue;
    return c;
  }
}

char Code::peek_token_char() {
  while (pos < bytes_.size() && is_blank(bytes_[pos])) ++pos;
  return peek_char();
}

bool Code::read_to_delimiter(char delimiter, std::string* out) {
  if (out) out->clear();
  const size_t size = bytes_.size();
  const size_t start = pos;
  // Scan the raw bytes directly: this reader carries every literal.
  while (pos < size) {
    const char c = map(bytes_[pos]);
    if (c == delimiter) {
      if (out) out->assign(bytes_, start, pos - start);
      ++pos;
      return true;
    }
    if (c == kLineEnd || c == 0) {
      if (out) out->assign(bytes_, start, pos - start);
      ++pos;
      return false;
    }
    ++pos;
  }
  if (out) out->assign(bytes_, start, pos - start);
  return false;
}

void Code::skip_rest_of_line() {
  const size_t size = bytes_.size();
  while (pos < size) {
    const char c = bytes_[pos++];
    if (c == '\x01' || c == '\n' || c == 0) return;
  }
}

void Code::read_opcode(char opcode[5]) {
  int count = 0;
  while (count < 4) {
    const char c = read_char();
    if (c == 0) break;
    if (c == kLineEnd) continue;
    opcode[count++] = c;
  }
  opcode[count] = 0;
}

}  // namespace kestrel
