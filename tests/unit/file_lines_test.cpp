// Line and whole-file reading on real streams: line ends, the last line
// without a line break, "EOF" past the end, long lines across the read
// chunks and the remembered read position.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "commands/file_lines.h"

namespace kestrel::file_lines {
namespace {

struct Closer {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using Stream = std::unique_ptr<std::FILE, Closer>;

// A temporary stream holding `content`, positioned at its start.
Stream stream_with(const std::string& content) {
  Stream f(std::tmpfile());
  std::fwrite(content.data(), 1, content.size(), f.get());
  std::rewind(f.get());
  return f;
}

// Reads line `n` of `content` in a fresh stream named `name`; the text is
// the line or "EOF".
std::string line_of(const std::string& content, int64_t n, LineMemory& memory,
                    const char* name = "f.txt") {
  Stream f = stream_with(content);
  std::string out = "unchanged";
  const ReadStatus status = read_line(f.get(), name, n, memory, out);
  return status == ReadStatus::ok ? out : status == ReadStatus::eof ? "EOF" : "ERROR";
}

TEST(FileLines, LinesInOrderAndOutOfOrder) {
  const struct {
    const char* id;
    const char* content;
    std::vector<int> lines;  // read in this order, memory kept
    std::vector<const char*> expected;
  } cases[] = {
      {"lines-1", "a\r\nb\r\n", {1, 2, 3}, {"a", "b", "EOF"}},
      {"lines-2", "a\r\nb\r\n", {3}, {"EOF"}},       // without line 2 just before
      {"lines-3", "a\r\nb\r\n", {2, 1, 2}, {"b", "a", "b"}},
      {"lines-4", "a\nbc", {1, 2, 3}, {"a", "bc", "EOF"}},  // last line without a break
      {"lines-5", "a\nbc", {2, 3}, {"bc", "EOF"}},
      {"lines-6", "", {1}, {"EOF"}},
      {"lines-7", "\n", {1, 2}, {"", "EOF"}},
      {"lines-8", "x\r\r\ny", {1, 2}, {"x\r", "y"}},
      {"lines-9", "one\ntwo\nthree\n", {3, 4, 2, 3}, {"three", "EOF", "two", "three"}},
  };
  for (const auto& c : cases) {
    LineMemory memory;
    for (size_t i = 0; i < c.lines.size(); ++i) {
      const std::string actual = line_of(c.content, c.lines[i], memory);
      EXPECT_EQ(actual, c.expected[i]) << c.id << " line " << c.lines[i] << ": actual '" << actual
                                       << "', expected '" << c.expected[i] << "'";
    }
  }
}

TEST(FileLines, RemembersPositionByNameText) {
  LineMemory memory;
  ASSERT_EQ(line_of("aa\nbb\n", 1, memory, "f"), "aa");
  EXPECT_EQ(memory.position, 3);
  // Another stream under the same name text continues at byte 3, without
  // a recount: this is what makes sequential reading cost one seek.
  EXPECT_EQ(line_of("0123456789\nX\n", 2, memory, "f"), "3456789");
  EXPECT_EQ(memory.line, 2);
  // A different name text rescans from the start.
  memory = LineMemory{};
  ASSERT_EQ(line_of("aa\nbb\n", 1, memory, "f"), "aa");
  EXPECT_EQ(line_of("0123456789\nX\n", 2, memory, "F"), "X");
}

TEST(FileLines, EofKeepsMemory) {
  LineMemory memory;
  ASSERT_EQ(line_of("a\nb\n", 2, memory), "b");
  EXPECT_EQ(line_of("a\nb\n", 5, memory), "EOF");
  EXPECT_EQ(memory.line, 2);
  EXPECT_EQ(memory.position, 4);
  EXPECT_EQ(line_of("a\nb\n", 3, memory), "EOF");
  EXPECT_EQ(memory.line, 2);
}

TEST(FileLines, LongLinesAndChunkBoundaries) {
  const std::string long_line(200000, 'q');
  LineMemory memory;
  EXPECT_EQ(line_of("x\n" + long_line + "\r\ny", 2, memory), long_line);
  EXPECT_EQ(line_of("x\n" + long_line + "\r\ny", 3, memory), "y");
  // 70,000 short lines span more than one read chunk while counting.
  std::string many;
  for (int i = 1; i <= 70000; ++i) many += std::to_string(i) + "\r\n";
  LineMemory fresh;
  EXPECT_EQ(line_of(many, 65537, fresh), "65537");
  EXPECT_EQ(line_of(many, 70000, fresh), "70000");
  EXPECT_EQ(line_of(many, 70001, fresh), "EOF");
}

TEST(FileLines, ZeroByteEndsLine) {
  LineMemory memory;
  EXPECT_EQ(line_of(std::string("ab\0cd\nnext\n", 11), 1, memory), "ab");
  EXPECT_EQ(line_of(std::string("ab\0cd\nnext\n", 11), 2, memory), "next");
}

TEST(FileLines, WholeFile) {
  const struct {
    const char* id;
    std::string content;
    std::string expected;
  } cases[] = {
      {"whole-1", "a\r\nb\r\n", "a\r\nb\r\n"},
      {"whole-2", "", ""},
      {"whole-3", std::string("ab\0cd", 5), "ab"},
      {"whole-4", "\r\r\n", "\r\r\n"},
  };
  for (const auto& c : cases) {
    Stream f = stream_with(c.content);
    std::string out = "unchanged";
    ASSERT_EQ(read_whole(f.get(), out), ReadStatus::ok) << c.id;
    EXPECT_EQ(out, c.expected) << c.id;
  }
}

TEST(FileLines, StreamSize) {
  Stream f = stream_with("hello");
  EXPECT_EQ(stream_size(f.get()), 5);
  ASSERT_TRUE(seek_to(f.get(), 1));
  EXPECT_EQ(tell_position(f.get()), 1);
}

}  // namespace
}  // namespace kestrel::file_lines
