// The loaded code and its readers. The code is one buffer of instruction
// lines; every reader works on it through the single code position, which
// counts the bytes consumed. The separator byte 0x01 and the line-feed byte
// both read as a line end ('\n'); at the end of the code a reader gets 0 and
// the position does not move.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel {

inline constexpr char kLineEnd = '\n';

class Code {
 public:
  // Replaces the code with `bytes` and sets the position to 0.
  void assign(std::string bytes);
  void clear();

  size_t length() const { return bytes_.size(); }
  // Changes whenever the code is replaced or cleared.
  uint64_t generation() const { return generation_; }
  const std::string& bytes() const { return bytes_; }
  bool at_end() const { return pos >= bytes_.size(); }

  // The next character with the line-end mapping, or 0 at the end.
  char read_char() {
    if (pos >= bytes_.size()) return 0;
    return map(bytes_[pos++]);
  }
  // The next character without consuming it (0 at the end).
  char peek_char() const {
    return pos >= bytes_.size() ? 0 : map(bytes_[pos]);
  }
  // Steps back over the character just read (never below 0).
  void unread() {
    if (pos > 0) --pos;
  }

  // Skips spaces and tabs that are not in `set` and consumes the first
  // other character, which it returns (0 at the end of the code).
  char read_token_char(const char* set = "");
  // Like read_token_char but leaves the character unconsumed.
  char peek_token_char();

  // Consumes characters up to and including `delimiter`. With `out`, the
  // characters before it are collected there (it is always reset first).
  // Returns false when a line end that is not the delimiter was consumed,
  // or at the end of the code.
  bool read_to_delimiter(char delimiter, std::string* out);
  // Consumes everything up to and including the next line end.
  void skip_rest_of_line();

  // Reads the next four characters into `opcode` (a five-byte text),
  // passing over line ends; at the end of the code the text ends early.
  void read_opcode(char opcode[5]);

  size_t pos = 0;

 private:
  static char map(char c) { return (c == '\x01' || c == '\n') ? kLineEnd : c; }
  std::string bytes_;
  uint64_t generation_ = 0;
};

}  // namespace kestrel
