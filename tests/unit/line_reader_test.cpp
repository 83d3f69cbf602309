// R024 through real listings: the line reader is part of every build, the
// native runner included, so these run the instruction end to end.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "script_runner.h"

namespace kestrel {
namespace {

using testing::run_listing;

class LineReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kestrel-line-reader-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (const std::string& file : files_) std::remove(file.c_str());
    rmdir(dir_.c_str());
  }
  std::string write(const std::string& name, const std::string& content) {
    const std::string path = dir_ + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    if (f) {
      std::fwrite(content.data(), 1, content.size(), f);
      std::fclose(f);
    }
    files_.push_back(path);
    return path;
  }

  std::string dir_;
  std::vector<std::string> files_;
};

// Each read prints "<result code> <value>|".
std::string reads(const std::string& path, std::initializer_list<const char*> numbers) {
  std::string listing = "R001[62]'unchanged'\n";
  for (const char* n : numbers) {
    listing += "R024[62]'" + path + "''" + n + "'\n";
    listing += "R060[0]#' '#[62]#'|'\n";
  }
  return run_listing(listing).out;
}

TEST_F(LineReaderTest, ReadsLinesInAndOutOfOrder) {
  const std::string two = write("two.txt", "a\r\nb\r\n");
  const std::string nolf = write("nolf.txt", "x\ny");
  struct Case {
    const char* id;
    std::string path;
    std::initializer_list<const char*> numbers;
    const char* expected;
  } cases[] = {
      {"sequential", two, {"1", "2", "3"}, "0 a|0 b|-1 EOF|"},
      {"back and forth", two, {"2", "1", "2", "2"}, "0 b|0 a|0 b|0 b|"},
      {"blanks around the number", two, {" 2 "}, "0 b|"},
      {"last line without break", nolf, {"2", "3"}, "0 y|-1 EOF|"},
      {"whole file", two, {"0"}, "0 a\r\nb\r\n|"},
      {"whole file, negative", nolf, {"-4"}, "0 x\ny|"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(reads(c.path, c.numbers), c.expected) << c.id;
}

TEST_F(LineReaderTest, MissingFileKeepsTheTarget) {
  EXPECT_EQ(reads(dir_ + "/none.txt", {"1"}), "-1 unchanged|");
}

TEST_F(LineReaderTest, AnotherNameOfTheSameFileRescans) {
  // The remembered position belongs to the name text: "./x" and "x" differ,
  // and both still read the right line.
  const std::string path = write("three.txt", "1\n2\n3\n");
  const std::string other = dir_ + "/./three.txt";
  const std::string listing = "R024[62]'" + path + "''1'\nR024[62]'" + other +
                              "''2'\nR060[62]\nR024[62]'" + path + "''3'\nR060[62]\n";
  EXPECT_EQ(run_listing(listing).out, "23");
}

}  // namespace
}  // namespace kestrel
