// Blocks, loops, jumps and procedures: whole scripts with their output,
// and the scanning services on small code buffers.
#include <gtest/gtest.h>

#include "core/flow.h"
#include "script_runner.h"

namespace kestrel {
namespace {

struct FlowCase {
  const char* id;
  const char* listing;
  const char* out;
  int exit_code;
};

class FlowTable : public ::testing::TestWithParam<FlowCase> {};

TEST_P(FlowTable, Runs) {
  const FlowCase& c = GetParam();
  testing::ScriptResult r = testing::run_listing(c.listing);
  EXPECT_EQ(r.out, c.out) << c.id;
  EXPECT_EQ(r.exit_code, c.exit_code) << c.id;
}

const FlowCase kFlowCases[] = {
    {"loop-1", "R001[62]'0'\nRRPT\nR001[62][62]+'1'\nR060'.'\nRUNT[62]='10'\nR060[62]",
     "..........10", 0},
    {"loop-2",
     "R001[62]'0'\nRRPT\nR001[62][62]+'1'\nR0IF[62]<'3'RCNT\nR060[62]\nRUNT[62]='5'",
     "345", 0},
    {"loop-3",
     "R001[62]'0'\nRRPT\nR001[62][62]+'1'\nR001[63]'0'\nRRPT\nR001[63][63]+'1'\n"
     "R0IF[63]='2'RBRK\nR060[62]#[63]\nRUNT'0'='1'\nRUNT[62]='3'\nR060'end'",
     "112131end", 0},
    {"loop-4",  // a backward jump into the loop body loses the frame; RUNT rebuilds it
                // (at 2 the jump skips the output)
     "R001[62]'0'\nRRPT\nRLBLin\nR001[62][62]+'1'\nR0IF[62]='2'R004'in'\nR060[62]\n"
     "RUNT[62]='4'\nR060'end'",
     "134end", 0},
    {"loop-5", "RUNT'1'='2'\nRCNT\nR060'ok'", "ok", 0},
    {"block-1", "RXIF'1'='1'\nR060'a'\nRXEL\nR060'b'\nRXEI\nR060'c'", "ac", 0},
    {"block-2", "RXIF'1'='2'\nR060'a'\nRXEL\nR060'b'\nRXEI\nR060'c'", "bc", 0},
    {"block-3",
     "RXIF'1'='2'\nR060'a'\nRXIE'1'='1'\nR060'b'\nRXIE'2'='2'\nR060'x'\nRXEL\nR060'c'\nRXEI\n"
     "R060'd'",
     "bd", 0},
    {"block-4",  // nested blocks inside a skipped branch
     "RXIF'1'='2'\nRXIF'1'='1'\nR060'a'\nRXEL\nR060'b'\nRXEI\nR060'c'\nRXEL\nR060'e'\nRXEI",
     "e", 0},
    {"block-5",  // a label in a skipped branch, directly before RXEL: jumping to it
                 // later runs RXEL as the end of a branch
     "RXIF'1'='2'\nRLBLhidden\nRXEL\nR060'e'\nRXEI\nR0IF[62]='x'RHLT\nR001[62]'x'\n"
     "R004'hidden'",
     "e", 0},
    {"block-6", "R0IF'1'='2'R060'no'\nR0IF'1'='1'R060'yes'", "yes", 0},
    {"block-7", "R0IF'1'='1'R004'skip'\nR060'no'\nRLBLskip\nR060'yes'", "yes", 0},
    {"jump-1", "R004'fwd'\nR060'no'\nRLBL  fwd  \nR060'yes'", "yes", 0},
    {"jump-2", "R005'sub'\nR060'back'\nRHLT\nRLBLsub\nR060'sub'\nR006", "subback", 0},
    {"jump-3", "R006\nR060'ok'", "ok", 0},
    {"jump-4", "R060'a'\nR004'missing'\nR060'b'", "a", 0},
    {"jump-5",  // the first of two labels with one name wins
     "R001[62]'0'\nRLBLx\nR001[62][62]+'1'\nR0IF[62]='3'R004'end'\nRLBLx\nR004'x'\n"
     "RLBLend\nR060[62]",
     "3", 0},
    {"jump-6", "R001[62]'lab'\nR004[62]#'el'\nR060'no'\nRLBLlabel\nR060'yes'", "yes", 0},
    {"halt-1", "RHLT'5'\nR060'no'", "", 5},
    {"halt-2", "RHLT\nR060'no'", "", 0},
    {"halt-3", "R003'7'", "", 7},
    {"halt-4", "rhlt'2'", "", 2},
    {"halt-5", "R060'a'\nrlbl x\nR060'b'", "a", 0},
    {"halt-6", "R060'a'\nZZZZ\nR060'b'", "a", 0},
    {"proc-1", "FUNC'ADD'[80][81]\nRRET[80]+[81]\nENDF\nCALL'ADD'[90]'3''4'\nR060[90]", "7",
     0},
    {"proc-2", "FUNC'F'0\nR001[62]'x'\nENDF\nR001[90]'before'\nCALL'F'[90]\nR060'['#[90]#']'",
     "[]", 0},
    {"proc-3", "PROC'P'0\nR060'p'\nENDP\nCALL'p'\nR060'no'", "", 0},
    {"proc-4", "CALL'P'\nPROC'P'0\nENDP", "", 0},
    {"proc-5",  // recursion with a reference parameter
     "PROC'DOWN'[*80][81]\nR0IF[81]='0'RRET\nR001[80][80]#[81]\nCALL'DOWN'[80][81]-'1'\nENDP\n"
     "R001[70]''\nCALL'DOWN'[70]'4'\nR060[70]",
     "4321", 0},
    {"proc-6",  // a function called from a procedure stores into its local
     "FUNC'ONE'0\nRRET'1'\nENDF\nPROC'P'0\nCALL'ONE'[85]\nR060[85]\nENDP\nCALL'P'\n"
     "R060'|'#[85]",
     "1|", 0},
    {"proc-7",  // RRET inside a loop removes the procedure's frame only
     "PROC'P'0\nRRPT\nRRET\nRUNT'1'='2'\nENDP\nR001[62]'0'\nRRPT\nCALL'P'\n"
     "R001[62][62]+'1'\nRUNT[62]='3'\nR060[62]",
     "3", 0},
    {"proc-8",  // a header reached again is passed over without running its body
     "R001[62]'0'\nRLBLtop\nPROC'P'0\nR060'body'\nENDP\nR001[62][62]+'1'\n"
     "R0IF[62]<'3'R004'top'\nCALL'P'",
     "body", 0},
    {"proc-9",  // labels inside a procedure are invisible outside
     "PROC'P'0\nRLBLinner\nR060'in'\nENDP\nR004'inner'\nR060'no'", "", 0},
    {"proc-10",  // a forward jump out of a loop leaves its frame: the header runs as code
     "RRPT\nR004'out'\nRUNT'1'='1'\nRLBLout\nPROC'P'0\nR060'body'\nENDP\nR060'end'",
     "bodyend", 0},
    {"proc-11",  // a second definition of a name elsewhere is passed over
     "PROC'P'0\nR060'first'\nENDP\nPROC'P'0\nR060'second'\nENDP\nCALL'P'", "first", 0},
    {"proc-12", "RRET\nENDP\nENDF\nR060'ok'", "ok", 0},
    {"proc-13",  // value parameters are copies
     "PROC'P'[80]\nR001[80]'changed'\nENDP\nR001[70]'orig'\nCALL'P'[70]\nR060[70]", "orig",
     0},
    {"ext-1", "REXT[62]'nolib.dll''f''a'\nR060[0]#'['#[62]#']'", "-1[]", 0},
    {"lines-1", "\n\nR060'a'\n\n\nR060'b'", "ab", 0},
};

INSTANTIATE_TEST_SUITE_P(Flow, FlowTable, ::testing::ValuesIn(kFlowCases),
                         [](const auto& info) {
                           std::string id = info.param.id;
                           for (char& ch : id)
                             if (ch == '-') ch = '_';
                           return id;
                         });

TEST(Seek, ForwardScanRegistersLabelsAndStopsAtTarget) {
  testing::ScriptFixture f("R060'x'\nRLBLa\nRRPT\nRLBLb\nR060'y'\nRUNT'1'='1'");
  f.rt.code.pos = 0;
  ASSERT_TRUE(seek(f.rt, "b", true));
  EXPECT_EQ(f.rt.labels.count("a"), 1u);
  EXPECT_EQ(f.rt.frames.size(), 1u);  // jumping into the loop enters with its frame
  EXPECT_EQ(f.rt.code.peek_char(), 'R');
}

TEST(Seek, LoopsPassedOverLeaveTheStack) {
  testing::ScriptFixture f("RRPT\nRUNT'1'='1'\nRLBLz\n");
  ASSERT_TRUE(seek(f.rt, "z", true));
  EXPECT_TRUE(f.rt.frames.empty());
}

TEST(Seek, OpcodeSearchStopsRightAfterTheOpcode) {
  testing::ScriptFixture f("R060'x'\nendp rest\n");
  ASSERT_TRUE(seek(f.rt, "ENDP", false));
  EXPECT_EQ(f.rt.code.peek_char(), ' ');
}

TEST(Seek, MissingLabelEndsAtTheEndOfTheCode) {
  testing::ScriptFixture f("R060'x'\nRLBLa\n");
  EXPECT_FALSE(seek(f.rt, "none", true));
  EXPECT_TRUE(f.rt.code.at_end());
  EXPECT_EQ(f.rt.labels.count("a"), 1u);
}

TEST(Seek, KnownLabelEmptiesTheFrames) {
  testing::ScriptFixture f("RLBLa\nRRPT\nR004'a'\n");
  f.execute(2);
  ASSERT_EQ(f.rt.frames.size(), 1u);
  ASSERT_TRUE(seek(f.rt, "a", true));
  EXPECT_TRUE(f.rt.frames.empty());
}

}  // namespace
}  // namespace kestrel
