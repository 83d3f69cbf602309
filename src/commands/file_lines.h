// Reading text files line by line or whole through the C library's streams,
// with the remembered read position that lets sequential reading of lines
// 1, 2, 3 ... cost one seek per line instead of a rescan from the start.
// Positions are 64-bit, so files beyond 2 GiB are read correctly.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace kestrel::file_lines {

// The longest text (a line or a whole file) that is read into a value;
// beyond it the read reports too_large instead of exhausting the memory of
// a 32-bit process.
inline constexpr int64_t kTextLimit = int64_t{256} << 20;

// The last successful line read of the run: the file-name text exactly as
// the script gave it, the line number and the stream position just after
// that line.
struct LineMemory {
  bool valid = false;
  std::string file;
  int64_t line = 0;
  int64_t position = 0;
};

enum class ReadStatus { ok, eof, too_large, failed };

// 64-bit seek from the start and tell; false / -1 on failure.
bool seek_to(std::FILE* file, int64_t offset);
int64_t tell_position(std::FILE* file);
// The size of the open stream (seeks to its end), or -1.
int64_t stream_size(std::FILE* file);

// Reads line `number` (1 or more) of `file`, which is open for binary
// reading at its start and named `name`. When `memory` holds this name and
// the line before, reading continues at the remembered position; otherwise
// line feeds are counted from the start. A line that does not exist (fewer
// lines, or nothing after the last line feed) gives eof and leaves `memory`
// alone; a line that is read is stored in `out` without its line end (up to
// a zero byte inside it) and becomes the remembered line.
ReadStatus read_line(std::FILE* file, std::string_view name, int64_t number,
                     LineMemory& memory, std::string& out);

// Reads the whole of `file` into `out`, line breaks included; a zero byte
// ends the text there. too_large beyond kTextLimit.
ReadStatus read_whole(std::FILE* file, std::string& out);

}  // namespace kestrel::file_lines
