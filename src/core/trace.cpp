#include "core/trace.h"

#ifdef KESTREL_TRACE

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/runtime.h"
#include "core/text.h"

namespace kestrel {

namespace {

// Where trace lines go: the file named by KESTREL_TRACE_FILE, or the
// standard error stream.
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

// Line number (1-based) of the code position, counting line ends before it.
size_t line_of(const std::string& code, size_t pos) {
  size_t line = 1;
  for (size_t i = 0; i < pos && i < code.size(); ++i)
    if (code[i] == '\x01' || code[i] == '\n') ++line;
  return line;
}

std::string line_text(const std::string& code, size_t pos) {
  size_t end = pos;
  while (end < code.size() && code[end] != '\x01' && code[end] != '\n') ++end;
  return code.substr(pos, end - pos);
}

}  // namespace

void trace_step(Runtime& rt) {
  const std::string& code = rt.code.bytes();
  size_t pos = rt.code.pos;
  while (pos < code.size() && (code[pos] == '\x01' || code[pos] == '\n')) ++pos;
  emit(rt, "trace: line " + int_text(static_cast<int64_t>(line_of(code, pos))) +
               " pos " + int_text(static_cast<int64_t>(pos)) + ": " +
               line_text(code, pos) + "\n");
}

void trace_stop(Runtime& rt, const char* reason) {
  const std::string& code = rt.code.bytes();
  emit(rt, std::string("trace: stop at line ") +
               int_text(static_cast<int64_t>(line_of(code, rt.code.pos))) +
               ": " + reason + "\n");
}

}  // namespace kestrel

#endif
