// R024, the line reader: the file is opened, line n (or the whole file) is
// read and the file is closed within the one instruction; the remembered
// read position of the last line read is the only state kept between
// instructions.
#include "commands/line_reader.h"

#include <cstdio>
#include <memory>
#include <string>

#include "commands/file_lines.h"
#include "commands/file_result.h"
#include "core/text.h"
#include "varsys/eval.h"

namespace kestrel {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The last successful line read of this run; it lives until the process
// ends and only R024 reads or replaces it.
file_lines::LineMemory g_line_memory;

// R024 target, file, line: line n of the file without its line end, the
// whole file for n <= 0, or "EOF" with "-1" past the last line. A missing
// file leaves the target as it was.
int read_line(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string name = eval_operand(rt);
  const int64_t number = text_to_int(trim_blanks(eval_operand(rt)));
  FilePtr file(std::fopen(name.c_str(), "rb"));
  if (!file) {
    set_file_result(rt, false);
    return kStepNext;
  }
  // The reader does its own buffering; without the stream's buffer a read
  // of a remembered line costs one seek and one read of the system.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  std::string text;
  const file_lines::ReadStatus status =
      number <= 0 ? file_lines::read_whole(file.get(), text)
                  : file_lines::read_line(file.get(), name, number, g_line_memory, text);
  switch (status) {
    case file_lines::ReadStatus::ok:
      set_variable(rt, target, std::move(text), rt.area);
      set_file_result(rt, true);
      break;
    case file_lines::ReadStatus::eof:
      set_variable(rt, target, "EOF", rt.area);
      set_file_result(rt, false);
      break;
    case file_lines::ReadStatus::too_large:
      rt.out_of_memory = true;  // the loop stops with its message
      break;
    case file_lines::ReadStatus::failed:
      set_file_result(rt, false);
      break;
  }
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R024", read_line},
};

}  // namespace

const OpcodeGroup kLineReaderOpcodes{kEntries};

}  // namespace kestrel
