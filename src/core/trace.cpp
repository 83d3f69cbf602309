#include "core/trace.h"

#ifdef KESTREL_TRACE

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/runtime.h"
#include "core/text.h"

namespace kestrel {

namespace {

bool is_line_end(char c) { return c == '\x01' || c == '\n'; }

// Where trace lines go: the file named by KESTREL_TRACE_FILE (appended to),
// or the standard error stream when it is unset, empty or cannot be opened.
void emit(Runtime& rt, const std::string& line) {
  static std::FILE* file = [] {
    const char* name = std::getenv("KESTREL_TRACE_FILE");
    return name && *name ? std::fopen(name, "ab") : nullptr;
  }();
  if (file) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fflush(file);
  } else {
    rt.host.write_stream(2, line);
  }
}

// Line numbers of code positions. Execution mostly moves forward a little,
// so the count is carried on from the last position asked for instead of
// being recounted from the start of the code.
class LineCounter {
 public:
  size_t line_of(const std::string& code, size_t pos) {
    if (code.data() != data_ || code.size() != size_) {
      data_ = code.data();
      size_ = code.size();
      pos_ = 0;
      line_ = 1;
    }
    if (pos > code.size()) pos = code.size();
    while (pos_ < pos) line_ += is_line_end(code[pos_++]) ? 1 : 0;
    while (pos_ > pos) line_ -= is_line_end(code[--pos_]) ? 1 : 0;
    return line_;
  }

 private:
  const char* data_ = nullptr;
  size_t size_ = 0;
  size_t pos_ = 0;
  size_t line_ = 1;
};

LineCounter counter;

// The instruction being run: where the last traced step began.
struct Step {
  size_t line = 0;
  size_t pos = 0;
} last_step;

// Printable form of code bytes: other bytes as \xNN, so trailer bytes
// read as an opcode stay visible.
std::string shown(const std::string& code, size_t from, size_t to) {
  std::string out;
  for (size_t i = from; i < to && i < code.size(); ++i) {
    const auto byte = static_cast<unsigned char>(code[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      out.push_back(code[i]);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 15]);
    }
  }
  return out;
}

size_t end_of_line(const std::string& code, size_t pos) {
  while (pos < code.size() && !is_line_end(code[pos])) ++pos;
  return pos;
}

}  // namespace

void trace_step(Runtime& rt) {
  const std::string& code = rt.code.bytes();
  size_t pos = rt.code.pos;
  while (pos < code.size() && is_line_end(code[pos])) ++pos;
  last_step = {counter.line_of(code, pos), pos};
  emit(rt, "trace: line " + int_text(static_cast<int64_t>(last_step.line)) + " pos " +
               int_text(static_cast<int64_t>(pos)) + ": " +
               shown(code, pos, end_of_line(code, pos)) + "\n");
}

void trace_stop(Runtime& rt, const char* reason) {
  // The first reason is the one that matters: a failed label search also
  // leaves the position at the end of the code, which the loop reports too.
  static bool reported = false;
  if (reported) return;
  reported = true;
  std::string text = std::string("trace: stop at line ") +
                     int_text(static_cast<int64_t>(last_step.line)) + " pos " +
                     int_text(static_cast<int64_t>(last_step.pos)) + ": " + reason;
  const std::string_view why = reason;
  if (why == "unknown opcode") {
    // The four bytes as they stand in the code (the opcode text itself is
    // upper case and ends early at a zero byte).
    const std::string& code = rt.code.bytes();
    text += " '" + shown(code, last_step.pos, std::min(code.size(), last_step.pos + 4)) + "'";
  }
  emit(rt, text + "\n");
}

}  // namespace kestrel

#endif
