// The text commands RF02 to RF14 driven through real instruction lines with
// the native host: each case runs its lines, then prints the target (62) on
// standard output and the result code (0) on standard error. The result
// code starts as "x", so a command that leaves it alone shows "x".
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "script_runner.h"

namespace kestrel {
namespace {

using testing::run_listing;

struct Case {
  const char* id;
  bool ignore_case;      // system variable 45 set to "0" first
  std::string lines;     // the instruction(s) under test
  std::string expected;  // value of variable 62
  std::string code;      // result code afterwards
};

testing::ScriptResult run_case(const Case& c) {
  std::string listing = "R001[0]'x'\n";
  if (c.ignore_case) listing += "R001[45]'0'\n";
  listing += c.lines + "\nR060[62]\nR061[0]\n";
  return run_listing(listing);
}

// Byte texts of the ANSI code page used below.
const std::string kAe = "\xE4";      // ä
const std::string kAeCap = "\xC4";   // Ä
const std::string kOeCap = "\xD6";   // Ö
const std::string kUeCap = "\xDC";   // Ü
const std::string kEAcute = "\xC9";  // É

const Case kCases[] = {
    // RF02: n-th occurrence without overlap.
    {"rf02-empty-search", false, "RF02[62]'abc''''5'", "1", "x"},
    {"rf02-empty-text", false, "RF02[62]'''''1'", "0", "x"},
    {"rf02-empty-text-search", false, "RF02[62]'''a''1'", "0", "x"},
    {"rf02-no-overlap-2", false, "RF02[62]'aaaa''aa''2'", "3", "x"},
    {"rf02-no-overlap-3", false, "RF02[62]'aaaa''aa''3'", "0", "x"},
    {"rf02-zero-is-first", false, "RF02[62]'xabxab''ab''0'", "2", "x"},
    {"rf02-negative-is-first", false, "RF02[62]'xabxab''ab''-5'", "2", "x"},
    {"rf02-blanks-around-n", false, "RF02[62]'xabxab''ab'' 2\t'", "5", "x"},
    {"rf02-search-longer", false, "RF02[62]'ab''abc''1'", "0", "x"},
    {"rf02-partial-prefix", false, "RF02[62]'aabaabaaab''aaab''1'", "7", "x"},
    {"rf02-case-default", false, "RF02[62]'abc''B''1'", "0", "x"},
    {"rf02-case-ignored", true, "RF02[62]'abc''B''1'", "2", "x"},
    {"rf02-case-ignored-both", true, "RF02[62]'xAbxaB''aB''2'", "5", "x"},
    {"rf02-setting-not-exactly-0", false, "R001[45]'0 '\nRF02[62]'abc''B''1'", "0", "x"},
    {"rf02-umlaut-not-folded", true, "RF02[62]'" + kAe + "''" + kAeCap + "''1'", "0", "x"},

    // RF03 and RF04: ASCII capitals; small letters with the three umlauts.
    {"rf03-ascii", false, "RF03[62]'Hello, World 1'", "HELLO, WORLD 1", "x"},
    {"rf03-umlaut-stays", false, "RF03[62]'" + kAe + "bc'", kAe + "BC", "x"},
    {"rf04-umlauts", false, "RF04[62]'" + kAeCap + kOeCap + kUeCap + "BC'", "\xE4\xF6\xFC" "bc", "x"},
    {"rf04-other-high-byte", false, "RF04[62]'" + kEAcute + "X'", kEAcute + "x", "x"},

    // RF05: blanks and tabs only.
    {"rf05-blanks-tabs", false, "RF05[62]' \t ab c\t '", "ab c", "x"},
    {"rf05-only-blanks", false, "RF05[62]' \t  '", "", "x"},
    {"rf05-line-ends-stay", false,
     "RF06[63]'13'\nRF06[64]'10'\nRF05[62][63]#' x '#[64]", "\r x \n", "x"},

    // RF06 and RF12: byte codes.
    {"rf06-65", false, "RF06[62]'65'", "A", "x"},
    {"rf06-low-byte", false, "RF06[62]'321'", "A", "x"},
    {"rf06-negative-low-byte", false, "RF06[62]'-191'", "A", "x"},
    {"rf06-zero", false, "RF06[62]'0'", "", "x"},
    {"rf06-256", false, "RF06[62]'256'", "", "x"},
    {"rf06-not-a-number", false, "RF06[62]'abc'", "", "x"},
    {"rf06-high", false, "RF06[62]'228'", kAe, "x"},
    {"rf12-empty", false, "RF12[62]''", "0", "x"},
    {"rf12-umlaut", false, "RF12[62]'" + kAe + "'", "228", "x"},
    {"rf12-first-byte", false, "RF12[62]'abc'", "97", "x"},

    // RF07: bytes.
    {"rf07-empty", false, "RF07[62]''", "0", "x"},
    {"rf07-bytes", false, "RF07[62]'a" + kAe + "c'", "3", "x"},

    // RF08: part of a text.
    {"rf08-from-right", false, "RF08[62]'abcdef''0''3'", "def", "x"},
    {"rf08-count-beyond", false, "RF08[62]'abcdef''2''100'", "bcdef", "x"},
    {"rf08-negative-count", false, "RF08[62]'abcdef''2''-4'", "b", "x"},
    {"rf08-right-longer", false, "RF08[62]'abcdef''0''100'", "abcdef", "x"},
    {"rf08-negative-start", false, "RF08[62]'abcdef''-3''2'", "ef", "x"},
    {"rf08-one-past-end", false, "RF08[62]'abcdef''7''1'", "", "x"},
    {"rf08-far-past-end", false, "RF08[62]'abcdef''100''2'", "", "x"},
    {"rf08-count-0", false, "RF08[62]'abcdef''3''0'", "", "x"},
    {"rf08-empty-text", false, "RF08[62]'''1''5'", "", "x"},
    {"rf08-prefix", false, "RF08[62]'abcdef''1''3'", "abc", "x"},

    // RF09: failures (successes are checked below).
    {"rf09-zero", false, "RF09[62]'0'", "0", "-1"},
    {"rf09-negative", false, "RF09[62]'-5'", "0", "-1"},
    {"rf09-not-a-number", false, "RF09[62]'abc'", "0", "-1"},
    {"rf09-one", false, "RF09[62]'1'", "0", "0"},

    // RF10: fields.
    {"rf10-empty-field", false, "RF10[62]'a||b''|''2'", "", "x"},
    {"rf10-field-3", false, "RF10[62]'a||b''|''3'", "b", "x"},
    {"rf10-field-0", false, "RF10[62]'a||b''|''0'", "a", "x"},
    {"rf10-past-last", false, "RF10[62]'a||b''|''4'", "", "x"},
    {"rf10-blanks-around-n", false, "RF10[62]'a||b''|'' 3 '", "b", "x"},
    {"rf10-empty-separator", false, "RF10[62]'a|b''''3'", "a|b", "x"},
    {"rf10-long-separator", false, "RF10[62]'a::b::c''::''3'", "c", "x"},
    {"rf10-separator-overlap", false, "RF10[62]'a:::b''::''2'", ":b", "x"},
    {"rf10-trailing-separator", false, "RF10[62]'a|''|''2'", "", "x"},
    {"rf10-case-default-1", false, "RF10[62]'axbxc''X''1'", "axbxc", "x"},
    {"rf10-case-default-2", false, "RF10[62]'axbxc''X''2'", "", "x"},
    {"rf10-case-ignored-keeps-case", true, "RF10[62]'axbxc''X''2'", "b", "x"},
    {"rf10-case-ignored-last", true, "RF10[62]'aXbxCd''x''3'", "Cd", "x"},

    // RF11: replace without overlap.
    {"rf11-case-default", false, "RF11[62]'Hello hello''hello''bye'", "Hello bye", "x"},
    {"rf11-case-ignored", true, "RF11[62]'Hello hello''HELLO''bye'", "bye bye", "x"},
    {"rf11-case-ignored-keeps-rest", true, "RF11[62]'AbCaBc''b''_'", "A_Ca_c", "x"},
    {"rf11-replacement-as-is", true, "RF11[62]'aXa''x''yY'", "ayYa", "x"},
    {"rf11-no-overlap", false, "RF11[62]'aaaa''aa''a'", "aa", "x"},
    {"rf11-odd-overlap", false, "RF11[62]'aaa''aa''b'", "ba", "x"},
    {"rf11-not-searched-again", false, "RF11[62]'ab''a''aa'", "aab", "x"},
    {"rf11-delete", false, "RF11[62]'a-b-c''-'''", "abc", "x"},
    {"rf11-empty-search", false, "RF11[62]'abc''''x'", "abc", "x"},
    {"rf11-empty-text", false, "RF11[62]'''a''x'", "", "x"},

    // RF13: the byte at a position, with the result code.
    {"rf13-last", false, "RF13[62]'abc''3'", "c", "0"},
    {"rf13-first", false, "RF13[62]'abc''1'", "a", "0"},
    {"rf13-zero", false, "RF13[62]'abc''0'", "", "-1"},
    {"rf13-past-end", false, "RF13[62]'abc''4'", "", "-1"},
    {"rf13-negative", false, "RF13[62]'abc''-1'", "", "-1"},
    {"rf13-empty-text", false, "RF13[62]'''1'", "", "-1"},
    {"rf13-success-after-failure", false, "RF13[63]'abc''9'\nRF13[62]'abc''2'", "b", "0"},

    // RF14: count with overlap.
    {"rf14-overlap", false, "RF14[62]'aaaa''aa'", "3", "x"},
    {"rf14-overlap-odd", false, "RF14[62]'abababa''aba'", "3", "x"},
    {"rf14-empty-search", false, "RF14[62]'abc'''", "3", "x"},
    {"rf14-both-empty", false, "RF14[62]''''", "0", "x"},
    {"rf14-empty-text", false, "RF14[62]'''a'", "0", "x"},
    {"rf14-case-default", false, "RF14[62]'aBAb''ab'", "0", "x"},
    {"rf14-case-ignored", true, "RF14[62]'aBAb''ab'", "2", "x"},

    // Operands are full value operands; the target may be an array element.
    {"operand-expression", false, "R001[63]'b'\nRF02[62]'a'#[63]#'cb'[63]'1'+'1'", "4", "x"},
    {"target-element", false, "R000[70'2']\nRF03[70'2']'q'\nR001[62][70'2']", "Q", "x"},
};

class StringCommand : public ::testing::TestWithParam<Case> {};

TEST_P(StringCommand, StoresValueAndResultCode) {
  const Case& c = GetParam();
  const testing::ScriptResult result = run_case(c);
  EXPECT_EQ(result.out, c.expected) << c.id << ": value";
  EXPECT_EQ(result.err, c.code) << c.id << ": result code";
}

INSTANTIATE_TEST_SUITE_P(Table, StringCommand, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.id;
                           for (char& ch : name)
                             if (ch == '-') ch = '_';
                           return name;
                         });

// A replacement whose result would pass the size limit (300 matches of a
// 1 MiB replacement) stops the run with the out-of-memory message, before
// the next line runs and without building the text.
TEST(ReplaceCommand, OversizedResultStopsWithOutOfMemory) {
  const std::string listing =
      "R001[63]'aaaaaaaa'\nR001[80]'0'\nRRPT\nR001[63][63]#[63]\n"
      "R001[80][80]+'1'\nRUNT[80]='17'\n"
      "R001[64]'" + std::string(300, 'b') + "'\n"
      "RF11[62][64]'b'[63]\nR060'after'\n";
  const testing::ScriptResult result = run_listing(listing);
  EXPECT_EQ(result.out, "");
  ASSERT_EQ(result.boxes.size(), 1u);
  EXPECT_EQ(result.boxes[0].caption, "Your system ran out of memory");
}

// A host whose random seed is fixed and counted.
class SeedHost : public NativeHost {
 public:
  uint64_t random_seed() override {
    ++seeds;
    return seed;
  }
  uint64_t seed = 12345;
  int seeds = 0;
};

// Runs `count` RF09 calls with `limit`, each printing its number and the
// result code as "value:code ". Returns the output.
std::string run_random(SeedHost& host, int count, const std::string& limit) {
  host.capture = true;
  host.arguments = std::string();
  Runtime rt(host);
  init_system_variables(rt);
  std::string listing;
  for (int i = 0; i < count; ++i)
    listing += "RF09[62]'" + limit + "'\nR060[62]#':'#[0]#' '\n";
  rt.code.assign(listing_to_code(listing));
  run_program(rt);
  return host.captured[1];
}

std::vector<std::pair<int64_t, std::string>> parse_draws(const std::string& out) {
  std::vector<std::pair<int64_t, std::string>> draws;
  size_t start = 0;
  while (start < out.size()) {
    const size_t colon = out.find(':', start);
    const size_t blank = out.find(' ', colon);
    draws.emplace_back(std::stoll(out.substr(start, colon - start)),
                       out.substr(colon + 1, blank - colon - 1));
    start = blank + 1;
  }
  return draws;
}

TEST(RandomNumber, WithinLimitWithSuccessCodeAndSeededOnce) {
  SeedHost host;
  const auto draws = parse_draws(run_random(host, 500, "1000"));
  ASSERT_EQ(draws.size(), 500u);
  std::set<int64_t> distinct;
  for (const auto& [value, code] : draws) {
    EXPECT_GE(value, 0);
    EXPECT_LE(value, 999);
    EXPECT_EQ(code, "0") << "value " << value;
    distinct.insert(value);
  }
  EXPECT_EQ(host.seeds, 1) << "seeded more than once in one run";
  // 500 draws from 1000 values: repeated runs of one number would show here.
  EXPECT_GT(distinct.size(), 350u);
}

TEST(RandomNumber, LargeLimitsGoBeyondFifteenBits) {
  SeedHost host;
  const auto draws = parse_draws(run_random(host, 50, "2147483647"));
  int64_t largest = 0;
  for (const auto& [value, code] : draws) {
    EXPECT_LT(value, 2147483647);
    EXPECT_EQ(code, "0");
    largest = std::max(largest, value);
  }
  EXPECT_GT(largest, 1 << 24) << "largest of 50 draws: " << largest;
}

TEST(RandomNumber, SameSeedSameNumbersOtherSeedOthers) {
  SeedHost first, second, third;
  third.seed = 999;
  const std::string a = run_random(first, 20, "1000000");
  const std::string b = run_random(second, 20, "1000000");
  const std::string c = run_random(third, 20, "1000000");
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
}

}  // namespace
}  // namespace kestrel
