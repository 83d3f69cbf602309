// Limits that bad code cannot break: code that ends in the middle of an
// operand, very long lines, deep nesting that is never closed, deep
// recursion, jumps to labels that do not exist, references with too many
// indices, and texts or call depths beyond the runtime's limits.
#include <gtest/gtest.h>

#include <string>

#include "script_runner.h"

namespace kestrel {
namespace {

using testing::ScriptFixture;
using testing::ScriptResult;

std::string repeated(const std::string& line, size_t times) {
  std::string out;
  out.reserve(line.size() * times);
  for (size_t i = 0; i < times; ++i) out += line;
  return out;
}

struct EndCase {
  const char* id;
  const char* code;  // raw code; the last line has no line end
  const char* out;
};

// The code ends inside a literal, a reference, parentheses, a condition or
// an instruction's operands: the readers stop at the end of the code, the
// instruction works with what it read and the program ends there.
const EndCase kEndCases[] = {
    {"literal", "R060'abc", "abc"},
    {"lone-quote", "R060'", ""},
    // The open literal takes its line end with it, so the rest of the
    // instruction skipped afterwards is the whole next line.
    {"literal-across-line-end", "R060'abc\x01R060'def'\x01R060'g", "abcg"},
    {"reference", "R001[62]'v'\x01R060[62", "v"},
    {"index-reference", "R001[62]'1'\x01R001[63'1']'w'\x01R060[63[62]", "w"},
    {"nested-reference", "R001[62]'1'\x01R001[63'1']'w'\x01R060[63[62", ""},
    {"bracket-only", "R060[", ""},
    {"parentheses", "R060('a'#('b'", "ab"},
    {"arithmetic", "R060'2'+", "2"},
    {"comparison", "R0IF'a'=", ""},
    {"true-condition-without-instruction", "R0IF'a'='a'", ""},
    {"block-never-closed", "RXIF'1'='2'\x01R060'no'", ""},
    {"label", "R060'x'\x01RLBLend", "x"},
    {"jump-target", "R004'nowhere", ""},
    {"call-name", "CALL'", ""},
    {"procedure-header", "PROC'P'0\x01R060'body'", ""},
    {"procedure-parameter", "PROC'P'[62", ""},
    {"function-call", "FUNC'F'[62]\x01RRET[62]\x01" "ENDF\x01" "CALL'F'[63]'x", ""},
    {"replace", "R001[62]'aXa'\x01RF11[63][62]'X'", ""},
    {"short-opcode", "R060'a'\x01R0", "a"},
    {"halt-operand", "R060'h'\x01RHLT'", "h"},
};

class EndOfCode : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndOfCode, ReadersStopThere) {
  const EndCase& c = GetParam();
  const ScriptResult r = testing::run_code(c.code);
  EXPECT_EQ(r.out, c.out) << c.id;
  EXPECT_EQ(r.exit_code, 0) << c.id;
  EXPECT_TRUE(r.boxes.empty()) << c.id;
}

INSTANTIATE_TEST_SUITE_P(Limits, EndOfCode, ::testing::ValuesIn(kEndCases),
                         [](const ::testing::TestParamInfo<EndCase>& info) {
                           std::string name = info.param.id;
                           for (char& ch : name)
                             if (ch == '-') ch = '_';
                           return name;
                         });

constexpr size_t kTenMegabytes = size_t{10} << 20;

TEST(LongLine, TenMegabyteLiteralIsReadWhole) {
  const ScriptResult r = testing::run_code("R001[62]'" + std::string(kTenMegabytes, 'x') +
                                 "'\x01RF07[63][62]\x01R060[63]\x01");
  EXPECT_EQ(r.out, std::to_string(kTenMegabytes));
}

TEST(LongLine, TenMegabyteConcatenation) {
  // 'ab'#'ab'#... over 10 MB of one line: 2.6 million joins.
  const size_t joins = kTenMegabytes / 5;
  std::string line = "R001[62]'ab'" + repeated("#'ab'", joins);
  const ScriptResult r = testing::run_code(line + "\x01RF07[63][62]\x01R060[63]\x01");
  EXPECT_EQ(r.out, std::to_string(2 * (joins + 1)));
}

TEST(LongLine, TenMegabyteLinesArePassedOverByScans) {
  // A skipped block and a forward jump both scan over the long lines; a
  // long unterminated literal ends at its own line end.
  const std::string long_line = "R060'" + std::string(kTenMegabytes, 'y');
  const ScriptResult r = testing::run_code("RXIF'1'='2'\x01" + long_line + "\x01RXEI\x01R004'end'\x01" +
                                 long_line + "\x01RLBLend\x01R060'done'\x01");
  EXPECT_EQ(r.out, "done");
}

TEST(LongLine, TenMegabyteLabelName) {
  const std::string name(kTenMegabytes, 'L');
  const ScriptResult r = testing::run_code("R001[62]'" + name + "'\x01R004[62]\x01R060'no'\x01RLBL" +
                                 name + "\x01R060'found'\x01");
  EXPECT_EQ(r.out, "found");
}

constexpr size_t kDeep = 100'000;

TEST(UnclosedNesting, TrueBlocksRunTheirBody) {
  const ScriptResult r = testing::run_code(repeated("RXIF'1'='1'\x01", kDeep) + "R060'deep'\x01");
  EXPECT_EQ(r.out, "deep");
}

TEST(UnclosedNesting, FalseBlockScanEndsAtTheEndOfTheCode) {
  const ScriptResult r = testing::run_code("R060'a'\x01RXIF'1'='2'\x01" +
                                 repeated("RXIF'1'='1'\x01", kDeep) + "R060'no'\x01");
  EXPECT_EQ(r.out, "a");
  EXPECT_EQ(r.exit_code, 0);
}

TEST(UnclosedNesting, ElseBranchScanEndsAtTheEndOfTheCode) {
  const ScriptResult r = testing::run_code("RXIF'1'='1'\x01R060'a'\x01RXEL\x01" +
                                 repeated("RXIF'1'='1'\x01", kDeep) + "R060'no'\x01");
  EXPECT_EQ(r.out, "a");
}

TEST(UnclosedNesting, OpenLoopsAndABreakThatFindsNoEnd) {
  ScriptFixture f;
  f.load_raw(repeated("RRPT\x01", kDeep) + "R060'loops'\x01RBRK\x01R060'never'\x01");
  f.execute();
  // The break's scan finds no loop end and stops at the end of the code.
  EXPECT_EQ(f.host.captured[1], "loops");
  EXPECT_EQ(f.rt.frames.size(), kDeep);
}

TEST(UnclosedNesting, LoopStackRebuiltFromDeepNesting) {
  // The backward jump empties the frame stack; RUNT rebuilds all of it by
  // rescanning the program text, then the innermost loop ends.
  ScriptFixture f;
  f.load_raw(repeated("RRPT\x01", kDeep) +
             "RLBLa\x01R001[62][62]+'1'\x01R0IF[62]<'3'R004'a'\x01RUNT[62]='3'\x01"
             "R060[62]\x01");
  f.execute();
  EXPECT_EQ(f.host.captured[1], "3");
  EXPECT_EQ(f.rt.frames.size(), kDeep - 1);
}

TEST(UnclosedNesting, ProcedureHeadersWithoutEnd) {
  const ScriptResult r = testing::run_code("R060'a'\x01" + repeated("PROC'P'0\x01", kDeep) +
                                 "R060'no'\x01");
  EXPECT_EQ(r.out, "a");
}

TEST(Recursion, MillionNestedCalls) {
  // Each level takes a value parameter (a local) and counts itself; the
  // innermost one prints the depth, every level returns normally.
  const ScriptResult r = testing::run_listing(
      "R001[62]'0'\n"
      "PROC'R'[63]\n"
      "R001[62][62]+'1'\n"
      "R0IF[63]<'1000000'CALL'R'[63]+'1'\n"
      "R0IF[63]='1000000'R060[62]\n"
      "ENDP\n"
      "CALL'R''1'\n"
      "R060' back'",
      50'000'000);
  EXPECT_EQ(r.out, "1000000 back");
  EXPECT_TRUE(r.boxes.empty());
}

TEST(Recursion, BeyondTheCallLimitIsOutOfMemory) {
  ScriptFixture f;
  f.rt.call_limit = 1000;
  f.load("PROC'R'0\nR001[62][62]+'1'\nCALL'R'\nENDP\nCALL'R'\nR060'after'");
  const int exit_code = run_program(f.rt);
  EXPECT_EQ(exit_code, 0);
  EXPECT_EQ(f.host.captured[1], "");
  ASSERT_EQ(f.host.boxes.size(), 1u);
  EXPECT_EQ(f.host.boxes[0].caption, "Your system ran out of memory");
}

TEST(MissingLabel, LargeScriptIsScannedToItsEnd) {
  // 200,000 lines with a label every tenth line: the jump registers every
  // label on the way and the program ends at the end of the code.
  std::string code = "R060'start'\x01R004'missing'\x01";
  constexpr int kLines = 200'000;
  for (int i = 0; i < kLines; ++i) {
    if (i % 10 == 0)
      code += "RLBLl" + std::to_string(i) + "\x01";
    else
      code += "R060'no'\x01";
  }
  ScriptFixture f;
  f.load_raw(code);
  f.execute();
  EXPECT_EQ(f.host.captured[1], "start");
  EXPECT_TRUE(f.rt.code.at_end());
  EXPECT_EQ(f.rt.labels.size(), static_cast<size_t>(kLines / 10));
}

TEST(TooManyIndices, ElevenOrMoreAreIgnoredEverywhere) {
  // Ten indices work; eleven or more neither declare, write nor read, and
  // show no message.
  const std::string ten = "62" + repeated("'2'", 10);
  const std::string eleven = "63" + repeated("'1'", 11);
  const std::string twelve = "64" + repeated("'1'", 12);
  const ScriptResult r = testing::run_listing(
      "R000[" + ten + "]\nR001[" + ten + "]'ten'\nR060[" + ten + "]\n"
      "R000[" + eleven + "]\nR001[" + eleven + "]'x'\nR060'<'#[" + eleven + "]#'>'\n"
      "R001[" + twelve + "]'y'\nR060'<'#[" + twelve + "]#'>'\n"
      "R001[64]'plain'\nR060[64]");
  EXPECT_EQ(r.out, "ten<><>plain");
  EXPECT_TRUE(r.boxes.empty());
}

TEST(TextLimit, ConcatenationBeyondTheLimitIsOutOfMemory) {
  // Doubling a text in a loop, once into another variable and once in
  // place (the append path): both stop at the limit with the message.
  for (const char* doubling : {"R001[63][62]#[62]\nR001[62][63]", "R001[62][62]#[62]"}) {
    ScriptFixture f;
    f.rt.text_limit = 4096;
    f.load(std::string("R001[62]'x'\nRRPT\n") + doubling +
           "\nRF07[64][62]\nRUNT'1'='2'\nR060'after'");
    run_program(f.rt);
    EXPECT_EQ(f.host.captured[1], "") << doubling;
    ASSERT_EQ(f.host.boxes.size(), 1u) << doubling;
    EXPECT_EQ(f.host.boxes[0].caption, "Your system ran out of memory") << doubling;
  }
}

TEST(TextLimit, TextsUpToTheLimitAreBuilt) {
  ScriptFixture f;
  f.rt.text_limit = 4096;
  f.load("R001[62]'" + std::string(2048, 'a') + "'\nR001[62][62]#[62]\nRF07[63][62]\nR060[63]");
  run_program(f.rt);
  EXPECT_EQ(f.host.captured[1], "4096");
  EXPECT_TRUE(f.host.boxes.empty());
}

}  // namespace
}  // namespace kestrel
