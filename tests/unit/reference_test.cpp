// Splitting references: the worked examples and the edge cases of the
// index language.
#include <gtest/gtest.h>

#include "script_runner.h"
#include "varsys/reference.h"
#include "varsys/store.h"

namespace kestrel {
namespace {

struct ReferenceCase {
  const char* id;
  const char* text;
  const char* setup;  // assignments made first, as a listing
  const char* name;
  std::vector<int> script_indices;  // before the final decrement; 0 for <= 0
};

class ReferenceTable : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceTable, SplitsNameAndIndices) {
  const ReferenceCase& c = GetParam();
  testing::ScriptFixture g(c.setup);
  g.execute();
  ParsedReference ref;
  parse_reference(g.rt, c.text, ref);
  EXPECT_EQ(ref.name, c.name) << c.id;
  ASSERT_EQ(ref.count, static_cast<int>(c.script_indices.size())) << c.id;
  for (int i = 0; i < ref.count; ++i) {
    const int expected = c.script_indices[static_cast<size_t>(i)] - 1;
    EXPECT_EQ(ref.index[i], expected < 0 ? -1 : expected) << c.id << " index " << i;
  }
}

const ReferenceCase kReferenceCases[] = {
    {"ref-1.1", "62", "", "62", {}},
    {"ref-1.2", "107'204'", "", "107", {204}},
    {"ref-1.3", "110'2''3'", "", "110", {2, 3}},
    {"ref-1.4", "110'2', '3'", "", "110", {2, 3}},
    {"ref-1.5", "112[113]", "R001[113]'7'", "112", {7}},
    {"ref-1.6", "112[113]", "", "112", {}},
    {"ref-1.7", "112[113]", "R001[113]''", "112", {0}},
    {"ref-1.8", "107[135]+'16'", "R001[135]'5'", "107", {21}},
    {"ref-1.9", "107'3'*'4'-'2'", "", "107", {10}},
    {"ref-1.10", "107[112[113]]", "R001[113]'2'\nR001[112'2']'9'", "107", {9}},
    {"ref-2.1", "107'0'", "", "107", {0}},
    {"ref-2.2", "107'-4'", "", "107", {0}},
    {"ref-2.3", "107'5'+[x]", "R001[x]''", "107", {5}},
    {"ref-2.4", "107[112'2']", "R001[112'2']'4'", "107", {4}},
    {"ref-2.5", "107'2'a", "", "107a", {2}},
    {"ref-2.6", "1,0:7", "", "107", {}},
    {"ref-2.7", "107'1,2'", "", "107", {12}},
    {"ref-2.8", "107'9'/'2'", "", "107", {4}},
    {"ref-2.9", "107'-9'/'2'", "", "107", {0}},
    {"ref-2.10", "107'9'~'4'", "", "107", {1}},
    {"ref-2.11", "107'9'/'0'", "", "107", {9}},
    {"ref-2.12", "107'9'~'0'", "", "107", {9}},
    {"ref-2.13", "107+'3'", "", "107", {3}},
    {"ref-2.14", "107'2'+'3'*'4'", "", "107", {20}},
    {"ref-2.15", "107'2'[113]", "R001[113]'6'", "107", {2, 6}},
    {"ref-2.16", "107'abc'", "", "107", {0}},
    {"ref-2.17", "107'2", "", "107", {}},
    {"ref-2.18", "107[113", "R001[113]'6'", "107", {}},
};

INSTANTIATE_TEST_SUITE_P(Examples, ReferenceTable, ::testing::ValuesIn(kReferenceCases),
                         [](const auto& info) {
                           std::string id = info.param.id;
                           for (char& ch : id)
                             if (ch == '-' || ch == '.') ch = '_';
                           return id;
                         });

TEST(Reference, MoreThanTenIndicesIsMarked) {
  testing::ScriptFixture f;
  ParsedReference ref;
  parse_reference(f.rt, "70'1''2''3''4''5''6''7''8''9''10''11'", ref);
  EXPECT_TRUE(ref.too_many);
  EXPECT_EQ(ref.count, 10);
}

TEST(Reference, DeepNestingDoesNotExhaustTheStack) {
  testing::ScriptFixture f;
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "[";
  text += "5";
  for (int i = 0; i < 100000; ++i) text += "]";
  ParsedReference ref;
  parse_reference(f.rt, "70" + text, ref);
  EXPECT_EQ(ref.name, "70");
}

}  // namespace
}  // namespace kestrel
