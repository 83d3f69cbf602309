// Sequential line reading as R024 does it: for every line the file is
// opened, line n is read and the file is closed again. With the remembered
// read position each read costs one seek and one line, so the time per line
// stays flat as the file grows; without it (every read a rescan from the
// start) the time per line grows with the line number.
//
// Build and run (from the repository root):
//   g++ -std=c++20 -O2 -Isrc bench/files/line_read_bench.cpp \
//       src/commands/file_lines.cpp src/commands/file_rules.cpp \
//       src/varsys/list_split.cpp src/core/text.cpp -o line_read_bench
//   ./line_read_bench [DIRECTORY]
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "commands/file_lines.h"

namespace {

using kestrel::file_lines::LineMemory;
using kestrel::file_lines::ReadStatus;

struct Closer {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Writes a file of `lines` lines of about 40 bytes, each ended by CR LF.
bool write_lines(const std::string& path, int lines) {
  std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "wb"));
  if (!f) return false;
  for (int i = 1; i <= lines; ++i) std::fprintf(f.get(), "line %08d of the benchmark file....\r\n", i);
  return true;
}

// Reads lines 1 to `count` as R024 does, with or without the memory, and
// returns the seconds taken (negative on a wrong line).
double read_lines(const std::string& path, int count, bool remember) {
  LineMemory memory;
  std::string line;
  const auto start = std::chrono::steady_clock::now();
  for (int n = 1; n <= count; ++n) {
    if (!remember) memory = LineMemory{};
    std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "rb"));
    if (!f || kestrel::file_lines::read_line(f.get(), path, n, memory, line) != ReadStatus::ok) {
      return -1;
    }
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

// The cost of the open and close alone, for comparison.
double open_close(const std::string& path, int count) {
  const auto start = std::chrono::steady_clock::now();
  for (int n = 1; n <= count; ++n) {
    std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "rb"));
    if (!f) return -1;
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string path = dir + "/bench-lines.txt";
  if (!write_lines(path, 100000)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("%-28s %10s %12s %14s\n", "reading", "lines", "seconds", "us per line");
  for (int count : {12500, 25000, 50000, 100000}) {
    const double s = read_lines(path, count, true);
    std::printf("%-28s %10d %12.3f %14.2f\n", "remembered position", count, s, s / count * 1e6);
  }
  {
    const double s = open_close(path, 100000);
    std::printf("%-28s %10d %12.3f %14.2f\n", "open and close only", 100000, s, s / 100000 * 1e6);
  }
  for (int count : {2500, 5000, 10000}) {
    const double s = read_lines(path, count, false);
    std::printf("%-28s %10d %12.3f %14.2f\n", "rescan from the start", count, s, s / count * 1e6);
  }
  std::remove(path.c_str());
  return 0;
}
