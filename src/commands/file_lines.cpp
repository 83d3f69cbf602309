// Line and whole-file reading; see file_lines.h.
#include "commands/file_lines.h"

#include <cstring>
#include <vector>

#include "commands/file_rules.h"

namespace kestrel::file_lines {

namespace {

// The first read of a line takes a small chunk (a sequential read needs
// only one line); later reads double it, up to the large chunk, so that
// counting through a big file takes few calls.
constexpr size_t kFirstChunk = 4 * 1024;
constexpr size_t kLargestChunk = 64 * 1024;

// Reads a stream in chunks and keeps track of the absolute position of
// the next unread byte, so that line feeds can be found with memchr.
class ChunkReader {
 public:
  ChunkReader(std::FILE* file, int64_t position) : file_(file), base_(position) {}

  // Passes `count` line feeds. Returns false when the end of the file
  // comes first.
  bool skip_line_feeds(int64_t count) {
    while (count > 0) {
      if (!fill()) return false;
      const char* start = buffer_.data() + index_;
      const void* found = std::memchr(start, '\n', size_ - index_);
      if (found == nullptr) {
        index_ = size_;
        continue;
      }
      index_ += static_cast<size_t>(static_cast<const char*>(found) - start) + 1;
      --count;
    }
    return true;
  }

  // True when at least one byte follows the position.
  bool more() { return fill(); }

  // Appends the bytes up to and including the next line feed (or to the
  // end of the file) to `out`. Returns false when the line grows beyond
  // kTextLimit.
  bool take_line(std::string& out) {
    while (fill()) {
      const char* start = buffer_.data() + index_;
      const void* found = std::memchr(start, '\n', size_ - index_);
      const size_t length = found == nullptr
                                ? size_ - index_
                                : static_cast<size_t>(static_cast<const char*>(found) - start) + 1;
      if (static_cast<int64_t>(out.size() + length) > kTextLimit) return false;
      out.append(start, length);
      index_ += length;
      if (found != nullptr) return true;
    }
    return true;
  }

  int64_t position() const { return base_ + static_cast<int64_t>(index_); }

 private:
  // Makes sure an unread byte is in the buffer; false at the end of file.
  bool fill() {
    if (index_ < size_) return true;
    if (buffer_.empty()) {
      buffer_.resize(kFirstChunk);
    } else if (buffer_.size() < kLargestChunk) {
      buffer_.resize(buffer_.size() * 2);
    }
    base_ += static_cast<int64_t>(size_);
    index_ = 0;
    size_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    return size_ > 0;
  }

  std::FILE* file_;
  std::vector<char> buffer_;
  int64_t base_;      // file position of buffer_[0]
  size_t index_ = 0;  // next unread byte in buffer_
  size_t size_ = 0;   // bytes held in buffer_
};

// A value text ends at its first zero byte.
void cut_at_zero(std::string& text) {
  const size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
}

}  // namespace

bool seek_to(std::FILE* file, int64_t offset) {
#ifdef _WIN32
  return _fseeki64(file, offset, SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

int64_t tell_position(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<int64_t>(ftello(file));
#endif
}

int64_t stream_size(std::FILE* file) {
#ifdef _WIN32
  if (_fseeki64(file, 0, SEEK_END) != 0) return -1;
#else
  if (fseeko(file, 0, SEEK_END) != 0) return -1;
#endif
  return tell_position(file);
}

ReadStatus read_line(std::FILE* file, std::string_view name, int64_t number,
                     LineMemory& memory, std::string& out) {
  const bool continues = memory.valid && memory.line == number - 1 && memory.file == name;
  int64_t start = 0;
  if (continues) {
    if (!seek_to(file, memory.position)) return ReadStatus::eof;
    start = memory.position;
  }
  ChunkReader reader(file, start);
  if (!continues && !reader.skip_line_feeds(number - 1)) return ReadStatus::eof;
  if (!reader.more()) return ReadStatus::eof;
  std::string line;
  if (!reader.take_line(line)) return ReadStatus::too_large;
  file_rules::strip_line_end(line);
  cut_at_zero(line);
  memory.valid = true;
  memory.file = std::string(name);
  memory.line = number;
  memory.position = reader.position();
  out = std::move(line);
  return ReadStatus::ok;
}

ReadStatus read_whole(std::FILE* file, std::string& out) {
  const int64_t size = stream_size(file);
  if (size < 0) return ReadStatus::failed;
  if (size > kTextLimit) return ReadStatus::too_large;
  if (!seek_to(file, 0)) return ReadStatus::failed;
  std::string text(static_cast<size_t>(size), '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file));
  cut_at_zero(text);
  out = std::move(text);
  return ReadStatus::ok;
}

}  // namespace kestrel::file_lines
