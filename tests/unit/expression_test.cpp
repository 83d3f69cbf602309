// Operands, arithmetic, the number format and conditions, evaluated from
// real instruction lines.
#include <gtest/gtest.h>

#include "script_runner.h"
#include "varsys/eval.h"
#include "varsys/number.h"

namespace kestrel {
namespace {

struct FormatCase {
  const char* id;
  double value;
  const char* expected;
};

TEST(NumberFormat, TrimsZerosAndPoint) {
  const FormatCase cases[] = {
      {"fmt-1", 4.0, "4"},          {"fmt-2", 3.5, "3.5"},
      {"fmt-3", 100.0, "100"},      {"fmt-4", 1.0 / 3.0, "0.333333"},
      {"fmt-5", -0.0, "0"},         {"fmt-6", -0.0000001, "0"},
      {"fmt-7", 1e20, "100000000000000000000"},
      {"fmt-8", -2.25, "-2.25"},    {"fmt-9", 0.0000004, "0"},
      {"fmt-10", 0.0000006, "0.000001"},
  };
  for (const FormatCase& c : cases)
    EXPECT_EQ(format_number(c.value), c.expected) << c.id << " value " << c.value;
}

TEST(NumberFormat, HugeValuesAreWrittenInFull) {
  const std::string text = format_number(1e300);
  EXPECT_EQ(text.size(), 301u) << text;
  EXPECT_EQ(text.substr(0, 2), "10");
}

struct OperandCase {
  const char* id;
  const char* setup;    // listing run first
  const char* operand;  // evaluated by R001 into variable 99
  const char* expected;
};

class OperandTable : public ::testing::TestWithParam<OperandCase> {};

TEST_P(OperandTable, Evaluates) {
  const OperandCase& c = GetParam();
  testing::ScriptFixture f(std::string(c.setup) + "\nR001[99]" + c.operand);
  f.execute();
  EXPECT_EQ(f.value("99"), c.expected) << c.id << ": " << c.operand;
}

const OperandCase kOperandCases[] = {
    {"op-1", "", "'7'/'2'", "3.5"},
    {"op-2", "", "'10'~'3'", "1"},
    {"op-3", "", "'5'/'0'", "0"},
    {"op-4", "", "'0'/'5'", "0"},
    {"op-5", "", "'5'~'0'", "0"},
    {"op-6", "", "'0.1'+'0.2'", "0.3"},
    {"op-7", "", "'abc'+'1'", "1"},
    {"op-8", "", "'1'/'3'*'3'", "0.999999"},
    {"op-9", "", "'1'#'2'+'3'", "15"},
    {"op-10", "", "('1'#'2')+'3'", "15"},
    {"op-11", "", "'1'+'2'#'3'", "33"},
    {"op-12", "", "'2'+'3'*'4'", "14"},
    {"op-13", "", "'2'-'3'-'4'", "-5"},
    {"op-14", "R001[62]'12abc'", "[62]+'1'", "13"},
    {"op-15", "", "'-0.5'+'0.5'", "0"},
    {"op-16", "", "'0'*'-1'", "0"},
    {"op-17", "", "'-7'~'3'", "-1"},
    {"op-18", "", "'7.9'~'2.5'", "1"},
    {"op-19", "", "'5'~'0.5'", "0"},
    {"op-20", "", " 'a' # 'b' ", "ab"},
    {"op-21", "", "", ""},
    {"op-22", "", "'9007199254740993'+'0'", "9007199254740992"},
    {"op-23", "", "'123456789012'*'1000'", "123456789012000"},
    {"op-24", "", "'1e3'+'0'", "1000"},
    {"op-25", "", "' 12'+'1'", "13"},
    {"op-26", "", "'0x10'+'0'", "0"},
    {"op-27", "", "'inf'+'1'", "1"},
    {"op-28", "", "'3'*", "0"},
    {"op-29", "", "(('2'))", "2"},
    {"op-30", "R001[62'3']'x'", "[62'3']#[62'0']", "x3"},
    {"op-31", "", "[77]#'-'", "-"},
};

INSTANTIATE_TEST_SUITE_P(Operands, OperandTable, ::testing::ValuesIn(kOperandCases),
                         [](const auto& info) {
                           std::string id = info.param.id;
                           for (char& ch : id)
                             if (ch == '-') ch = '_';
                           return id;
                         });

TEST(Operand, NestingBeyondTheLimitIsMalformed) {
  std::string deep = std::string(5000, '(') + "'1'" + std::string(5000, ')');
  testing::ScriptFixture f("R001[99]" + deep);
  f.execute();
  EXPECT_EQ(f.value("99"), "");
  std::string fine = std::string(200, '(') + "'1'" + std::string(200, ')');
  testing::ScriptFixture g("R001[99]" + fine);
  g.execute();
  EXPECT_EQ(g.value("99"), "1");
}

TEST(Operand, LeavesPositionAtTheNextInstruction) {
  testing::ScriptFixture f("R001[99]'a'R060'x'");
  f.rt.code.read_opcode(f.rt.opcode);
  std::string target;
  ASSERT_TRUE(next_reference(f.rt, target));
  EXPECT_EQ(eval_operand(f.rt), "a");
  EXPECT_EQ(f.rt.code.peek_char(), 'R');
}

struct ConditionCase {
  const char* id;
  const char* setup;
  const char* condition;
  bool expected;
};

class ConditionTable : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(ConditionTable, Folds) {
  const ConditionCase& c = GetParam();
  testing::ScriptFixture f(std::string(c.setup) + "\nR001[99]'no'\nR0IF" + c.condition +
                           "R001[99]'yes'");
  f.execute();
  EXPECT_EQ(f.value("99"), c.expected ? "yes" : "no") << c.id << ": " << c.condition;
}

const ConditionCase kConditionCases[] = {
    {"cond-1", "", "'1'='1.0'", false},
    {"cond-2", "", "'10'>'9'", true},
    {"cond-3", "", "'abc'<'abd'", true},
    {"cond-4", "", "'0'<'10'", true},
    {"cond-5", "", "'0'<='0.0'", true},
    {"cond-6", "", "'0'>='0.0'", false},
    {"cond-7", "R001[62]'12abc'", "[62]>'11'", true},
    {"cond-8", "R001[62]'12abc'", "[62]='12'", false},
    {"cond-9", "R001[71]'1'\nR001[72]'x'\nR001[73]'x'", "[71]='1'|[72]='2'&[73]='3'", false},
    {"cond-10", "", "'a'!'b'", true},
    {"cond-11", "", "'a'", false},
    {"cond-12", "", "'1'='2'|'3'='3'", true},
    {"cond-13", "", "'1'='1'&'3'='4'", false},
    {"cond-14", "", "'1'='1'|'x'", true},
    {"cond-15", "", "'5' < = '6'", true},
    {"cond-16", "", "'' < 'a'", true},
    {"cond-17", "", "'b' > 'abc'", true},
    {"cond-18", "", "'-1' < '-0.5'", true},
};

INSTANTIATE_TEST_SUITE_P(Conditions, ConditionTable, ::testing::ValuesIn(kConditionCases),
                         [](const auto& info) {
                           std::string id = info.param.id;
                           for (char& ch : id)
                             if (ch == '-') ch = '_';
                           return id;
                         });

}  // namespace
}  // namespace kestrel
