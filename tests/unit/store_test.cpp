// The variable store through its instructions: declaration, assignment,
// growth, length requests, areas, emptying and the reallocation message.
#include <gtest/gtest.h>

#include "script_runner.h"
#include "varsys/store.h"

namespace kestrel {
namespace {

struct StoreCase {
  const char* id;
  const char* listing;
  const char* reference;  // read afterwards in the main program
  const char* expected;
};

class StoreTable : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StoreTable, Reads) {
  const StoreCase& c = GetParam();
  testing::ScriptFixture f(c.listing);
  f.execute();
  EXPECT_EQ(f.value(c.reference), c.expected) << c.id;
  EXPECT_TRUE(f.host.boxes.empty()) << c.id << ": unexpected box " << f.host.boxes[0].text;
}

const StoreCase kStoreCases[] = {
    {"store-1", "R000[107'204']", "107'0'", "204"},
    {"store-2", "R000[107'204']", "107'205'", ""},
    {"store-3", "R000[107'204']\nR001[107'205']'x'", "107'0'", "205"},
    {"store-4", "R000[107'3']\nR001[107'7']'x'", "107'0'", "7"},
    {"store-5", "R000[107'3']\nR001[107'7']'x'", "107'5'", ""},
    {"store-6", "R001[110'1']'v'", "110'1'", "v"},
    {"store-7", "R001[110'1']'v'", "110'0'", "1"},
    {"store-8", "R000[107'3']\nR001[107]'own'\nR001[107'1']'e'", "107", "own"},
    {"store-9", "R000[107'3']\nR001[107]'own'\nR001[107'1']'e'", "107'1'", "e"},
    {"store-10", "R000[107'3']", "107", ""},
    {"store-11", "R001[62]'old'\nR000[62]", "62", ""},
    {"store-12", "R000[107'3']\nR001[107'2']'x'\nR052[107]", "107'0'", "0"},
    {"store-13", "R000[107'3']\nR001[107'1']'a'\nR001[107'2']'b'\nR052[107'2']", "107'1'",
     "a"},
    {"store-14", "R000[107'3']\nR001[107'1']'a'\nR001[107'2']'b'\nR052[107'2']", "107'2'",
     ""},
    {"store-15", "R001[-1]'x'", "-1", ""},
    {"store-16", "R000[70'2''3']", "70'1''0'", "3"},
    {"store-17", "R000[70'2''3']", "70'0''1'", "3"},
    {"store-18", "R000[70'2''3']", "70'0'", "2"},
    {"store-19", "R000[70'2''3']", "70'3''0'", "0"},
    {"store-20", "R000[70'2''3']\nR001[70'2''5']'z'", "70'2''5'", "z"},
    {"store-21", "R000[70'2''3']\nR001[70'2''5']'z'", "70'1''0'", "3"},
    {"store-22", "R000[70'0']", "70'0'", "0"},
    {"store-23", "R000[62][63][64]\nR001[63]'b'", "63", "b"},
    {"store-24", "R001[7'1']'elem'", "7'1'", "elem"},
    {"store-25", "R000[62'2']\nR001[62'2''3']'deep'", "62'2''3'", "deep"},
    {"store-26", "R000[62'2']\nR001[62'2''3']'deep'", "62'2''0'", "3"},
};

INSTANTIATE_TEST_SUITE_P(Store, StoreTable, ::testing::ValuesIn(kStoreCases),
                         [](const auto& info) {
                           std::string id = info.param.id;
                           for (char& ch : id)
                             if (ch == '-') ch = '_';
                           return id;
                         });

TEST(Store, WriteToIndexZeroShowsTheDebugBoxAndStoresNothing) {
  testing::ScriptFixture f("R000[107'3']\nR001[107'0']'v'\nR001[62]'after'");
  f.execute();
  ASSERT_EQ(f.host.boxes.size(), 1u);
  EXPECT_EQ(f.host.boxes[0].caption, "Kestrel Debug");
  EXPECT_EQ(f.host.boxes[0].text,
            "Array reallocation error\n\nvname: 107 value: v area: 0 dimension: 1");
  EXPECT_EQ(f.value("107'0'"), "3");
  EXPECT_EQ(f.value("62"), "after");
}

TEST(Store, DebugBoxTextStaysBounded) {
  testing::ScriptFixture f("R001[62]'" + std::string(100000, 'x') + "'\nR001[107'0'][62]");
  f.execute();
  ASSERT_EQ(f.host.boxes.size(), 1u);
  EXPECT_LT(f.host.boxes[0].text.size(), 2048u);
}

TEST(Store, HugeDeclarationIsOutOfMemory) {
  testing::ScriptResult r = testing::run_listing(
      "R060'a'\nR000[62'2000000000']\nR060'b'");
  EXPECT_EQ(r.out, "a");
  ASSERT_EQ(r.boxes.size(), 1u);
  EXPECT_EQ(r.boxes[0].text, "Kestrel Runtime Error");
  EXPECT_EQ(r.boxes[0].caption, "Your system ran out of memory");
  EXPECT_EQ(r.exit_code, 0);
}

TEST(Store, HugeGrowthIsOutOfMemory) {
  testing::ScriptResult r = testing::run_listing("R001[62'2000000000']'x'\nR060'b'\nRHLT'4'");
  EXPECT_EQ(r.out, "");
  ASSERT_EQ(r.boxes.size(), 1u);
  EXPECT_EQ(r.boxes[0].caption, "Your system ran out of memory");
  EXPECT_EQ(r.exit_code, 0);
}

TEST(Store, ProcedureLocalsAndGlobals) {
  testing::ScriptResult r = testing::run_listing(
      "R001[62]'global'\n"
      "PROC'P'0\n"
      "R001[62]'changed'\n"
      "R001[63]'local'\n"
      "R060[63]\n"
      "ENDP\n"
      "CALL'P'\n"
      "R060'|'#[62]#'|'#[63]#'|'\n");
  EXPECT_EQ(r.out, "local|changed||");
}

TEST(Store, ReferenceParameterAliasesTheCallersElement) {
  testing::ScriptResult r = testing::run_listing(
      "R000[70'3']\n"
      "PROC'SET'[*80][81]\n"
      "R001[80]'by ref'\n"
      "R001[81]'by value'\n"
      "ENDP\n"
      "R001[90]'keep'\n"
      "CALL'SET'[70'2'][90]\n"
      "R060[70'2']#'|'#[90]\n");
  EXPECT_EQ(r.out, "by ref|keep");
}

TEST(Store, EmptyingTheCallersArrayDetachesAParameter) {
  // The parameter is bound to an element that the procedure then frees:
  // it must not keep a link to freed memory.
  testing::ScriptResult r = testing::run_listing(
      "R000[70'3']\n"
      "PROC'P'[*80]\n"
      "R052[70]\n"
      "R001[80]'after'\n"
      "R060[80]#'|'#[70'0']\n"
      "ENDP\n"
      "CALL'P'[70'2']\n");
  EXPECT_EQ(r.out, "after|0");
}

}  // namespace
}  // namespace kestrel
