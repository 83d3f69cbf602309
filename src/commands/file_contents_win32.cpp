// What is inside files: appending a line, writing and reading bytes at a
// position. Each command opens the file, does its work and closes it within
// the one instruction. The line reader R024 is portable (line_reader.cpp);
// the file time commands R046 to R049 are in file_times_win32.cpp.
#include <cstdio>
#include <string>
#include <vector>

#include "commands/file_lines.h"
#include "commands/file_result.h"
#include "commands/file_rules.h"
#include "commands/file_times_win32.h"
#include "core/text.h"
#include "varsys/eval.h"
#include "win32/handles.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

using win32::UniqueFile;

// The byte offset of a 1-based position: 0 and negative positions both
// mean the first byte (a seek before the start fails and leaves the
// stream where the open left it).
int64_t byte_offset(int64_t position) { return position > 1 ? position - 1 : 0; }

// Writes `size` bytes and pushes them out of the stream's buffer; false
// when they did not all reach the file (a full disk, for instance).
bool write_all(std::FILE* file, const void* data, size_t size) {
  if (size > 0 && std::fwrite(data, 1, size, file) != size) return false;
  return std::fflush(file) == 0;
}

// R025 file, text: appends the text and the line terminator (variable 61),
// creating the file if needed. A write that does not reach the file is
// reported as a failure.
int append_line(Runtime& rt) {
  const std::string name = eval_operand(rt);
  const std::string text = eval_operand(rt);
  std::string terminator;
  get_variable(rt, "61", terminator, rt.area);
  UniqueFile file(std::fopen(name.c_str(), "a+b"));
  if (!file) {
    set_file_result(rt, false);
    return kStepNext;
  }
  const std::string line = text + terminator;
  set_file_result(rt, write_all(file.get(), line.data(), line.size()));
  return kStepNext;
}

// R050 file, position, list: overwrites (or extends) the file with the
// bytes of the list from the 1-based position on. The file must exist.
int write_bytes(Runtime& rt) {
  const std::string name = eval_operand(rt);
  const int64_t position = text_to_int64(eval_operand(rt));
  const std::string list = eval_operand(rt);
  UniqueFile file(std::fopen(name.c_str(), "r+b"));
  if (!file) {
    set_file_result(rt, false);
    return kStepNext;
  }
  file_lines::seek_to(file.get(), byte_offset(position));
  std::string separator;
  get_variable(rt, "44", separator, rt.area);
  const std::vector<uint8_t> bytes = file_rules::parse_byte_list(list, separator);
  set_file_result(rt, write_all(file.get(), bytes.data(), bytes.size()));
  return kStepNext;
}

// R051 target, file, position, count: up to `count` bytes from the 1-based
// position as "%03d" values joined with the separator's first character;
// count 0 reads one byte, a negative count reads to the end of the file.
int read_bytes(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string name = eval_operand(rt);
  const int64_t position = text_to_int64(eval_operand(rt));
  int64_t count = text_to_int64(eval_operand(rt));
  if (count == 0) count = 1;
  UniqueFile file(std::fopen(name.c_str(), "rb"));
  if (!file) {
    set_file_result(rt, false);
    return kStepNext;
  }
  set_file_result(rt, true);
  file_lines::seek_to(file.get(), byte_offset(position));
  std::string separator;
  get_variable(rt, "44", separator, rt.area);
  // Read in pieces so that a large count allocates only what the file holds.
  std::vector<uint8_t> bytes;
  uint8_t chunk[4096];
  while (count < 0 || static_cast<int64_t>(bytes.size()) < count) {
    size_t wanted = sizeof chunk;
    if (count > 0) wanted = static_cast<size_t>(std::min<int64_t>(wanted, count - static_cast<int64_t>(bytes.size())));
    const size_t got = std::fread(chunk, 1, wanted, file.get());
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < wanted) break;
    if (static_cast<int64_t>(bytes.size()) * 4 > file_lines::kTextLimit) {
      rt.out_of_memory = true;
      return kStepNext;
    }
  }
  set_variable(rt, target, file_rules::format_byte_list(bytes, separator.empty() ? '\0' : separator[0]),
               rt.area);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R025", append_line},    {"R050", write_bytes},   {"R051", read_bytes},
    {"R046", read_file_date}, {"R047", set_file_date}, {"R048", read_file_time},
    {"R049", set_file_time},
};

}  // namespace

const OpcodeGroup kFileContentOpcodes{kEntries};

}  // namespace kestrel
