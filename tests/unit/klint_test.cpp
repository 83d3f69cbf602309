// klint's checks: a table of faulty listings and the findings each must
// produce (line, kind and a piece of the message), plus sound programs that
// must produce none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lint.h"

namespace {

struct Expected {
  size_t line;
  klint::Severity severity;
  const char* fragment;  // part of the message
};

struct LintCase {
  const char* id;
  const char* listing;
  std::vector<Expected> findings;  // in line order; nothing else may be found
};

constexpr auto E = klint::Severity::error;
constexpr auto W = klint::Severity::warning;

std::string describe(const std::vector<klint::Finding>& findings) {
  std::string out;
  for (const klint::Finding& f : findings) out += "  " + klint::format_finding("x", f) + "\n";
  return out.empty() ? "  (none)\n" : out;
}

class LintTable : public ::testing::TestWithParam<LintCase> {};

TEST_P(LintTable, Findings) {
  const LintCase& c = GetParam();
  const std::vector<klint::Finding> got = klint::lint(klint::source_from_listing(c.listing));
  ASSERT_EQ(got.size(), c.findings.size()) << c.id << ": found\n" << describe(got);
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].line, c.findings[i].line) << c.id << " #" << i << "\n" << describe(got);
    EXPECT_EQ(got[i].severity, c.findings[i].severity) << c.id << " #" << i << "\n" << describe(got);
    EXPECT_NE(got[i].message.find(c.findings[i].fragment), std::string::npos)
        << c.id << " #" << i << ": expected a message with '" << c.findings[i].fragment
        << "', got '" << got[i].message << "'";
  }
  const bool wants_error = [&] {
    for (const Expected& e : c.findings)
      if (e.severity == E) return true;
    return false;
  }();
  EXPECT_EQ(klint::has_error(got), wants_error) << c.id;
}

const LintCase kCases[] = {
    // Sound programs: no finding at all.
    {"clean-basic",
     "; comment\nRRLR'2.1'\nR000[66]\nR001[66]'a'#'b'\nRXIF[66]='ab'\nR060'yes'\nRXIE[66]='c'\n"
     "RXEL\nRXEI\nRRPT\nR001[67][67]+'1'\nR0IF[67]='3'RBRK\nRUNT[67]='9'\nRHLT\n",
     {}},
    {"clean-procedures",
     "RRLR'2.1'\nFUNC'twice'[74]\nRLBLinner\nRRET[74]#[74]\nENDF\nPROC'show'[75][*76]\n"
     "R060[75]\nR004'inner2'\nRLBLinner2\nENDP\nCALL'TWICE'[70]'a'\nCALL'SHOW''x'[70]\n"
     "R005'sub'\nRHLT\nRLBLsub\nR006\n",
     {}},
    {"clean-computed-targets-unchecked",
     "RRLR'2.1'\nR001[62]'x'\nCALL[62]\nR004'lab_'#[62]\nRLBLlab_x\nRHLT\n", {}},
    {"clean-version-forms", "RRLR'2.10'\nRRLR'2.1x'\nRRLR'02.1'\nRHLT\n", {}},

    // Opcodes.
    {"unknown-opcode", "RRLR'2.1'\nXYZW\nRHLT\n", {{2, E, "unknown opcode 'XYZW'"}}},
    {"lower-case-is-fine", "RRLR'2.1'\nr060'a'\nrhlt\n", {}},
    {"lower-case-label", "RRLR'2.1'\nrlblx\nRHLT\n", {{2, E, "no label"}}},
    {"short-opcode", "RRLR'2.1'\nRHL\n", {{2, E, "short opcode 'RHL'"}}},
    {"blank-line", "RRLR'2.1'\n  \t\nRHLT\n", {{2, E, "line of blanks"}}},
    {"empty-line-is-harmless", "RRLR'2.1'\n\n\nRHLT\n", {}},
    {"unknown-after-R0IF", "RRLR'2.1'\nR0IF'1'='1'QQQQ\nRHLT\n", {{2, E, "unknown opcode 'QQQQ'"}}},
    {"R0IF-without-instruction", "RRLR'2.1'\nR0IF'1'='1'\nRHLT\n", {{2, W, "R0IF without"}}},

    // Language version.
    {"version-missing", "R060'a'\nRHLT\n", {{1, W, "does not start with RRLR"}}},
    {"version-wrong", "RRLR'2.2'\nRHLT\n", {{1, E, "'2.2' is not 2.1"}}},
    {"version-empty", "RRLR''\nRHLT\n", {{1, E, "'' is not 2.1"}}},

    // Blocks and loops.
    {"RXIF-unclosed", "RRLR'2.1'\nRXIF'1'='2'\nR060'a'\nRHLT\n", {{2, E, "RXIF without RXEI"}}},
    {"RXEI-alone", "RRLR'2.1'\nRXEI\nRHLT\n", {{2, W, "RXEI without RXIF"}}},
    {"RXIE-outside", "RRLR'2.1'\nRXIE'1'='1'\nRHLT\n", {{2, E, "outside a conditional block"}}},
    {"RXEL-outside", "RRLR'2.1'\nRXEL\nRHLT\n", {{2, E, "outside a conditional block"}}},
    {"RXIE-after-RXEL", "RRLR'2.1'\nRXIF'1'='1'\nRXEL\nRXIE'1'='1'\nRXEI\nRHLT\n",
     {{4, W, "never reached"}}},
    {"RRPT-unclosed", "RRLR'2.1'\nRRPT\nR060'a'\nRHLT\n", {{2, E, "RRPT without RUNT"}}},
    {"RUNT-alone", "RRLR'2.1'\nRUNT'1'='1'\nRHLT\n", {{2, W, "RUNT without RRPT"}}},
    {"RCNT-outside", "RRLR'2.1'\nRCNT\nRHLT\n", {{2, W, "outside a loop"}}},
    {"crossed-block-and-loop", "RRLR'2.1'\nRXIF'1'='1'\nRRPT\nRXEI\nRUNT'1'='1'\nRHLT\n",
     {{4, W, "while the RRPT of line 3 is still open"}}},
    {"block-left-open-in-procedure", "RRLR'2.1'\nPROC'P'0\nRXIF'1'='1'\nENDP\nRHLT\n",
     {{3, E, "not closed before the end of 'P'"}}},

    // Jumps and labels.
    {"jump-missing-label", "RRLR'2.1'\nR004'nowhere'\nRHLT\n", {{2, E, "missing label 'nowhere'"}, {3, W, "never runs"}}},
    {"jump-trimmed-target", "RRLR'2.1'\nR004'  there '\nRLBL there\nRHLT\n", {}},
    {"gosub-missing-label", "RRLR'2.1'\nR005'sub'\nRHLT\n", {{2, E, "missing label 'sub'"}}},
    {"label-case-matters", "RRLR'2.1'\nR004'End'\nRLBLend\nRHLT\n", {{2, E, "missing label 'End'"}}},
    {"label-inside-procedure", "RRLR'2.1'\nPROC'P'0\nRLBLin\nENDP\nR004'in'\nRHLT\n",
     {{5, E, "only visible inside 'P'"}, {6, W, "never runs"}}},
    {"label-of-other-procedure",
     "RRLR'2.1'\nPROC'P'0\nRLBLin\nENDP\nPROC'Q'0\nR004'in'\nENDP\nRHLT\n",
     {{6, E, "only visible inside 'P'"}}},
    {"label-twice", "RRLR'2.1'\nRLBLa\nRLBLa\nRHLT\n", {{3, W, "defined again (first at line 2)"}}},

    // Procedures and calls.
    {"call-undefined", "RRLR'2.1'\nCALL'NOPE'\nRHLT\n", {{2, E, "no PROC or FUNC defines"}}},
    {"call-letter-case", "RRLR'2.1'\nPROC'greet'0\nENDP\nCALL'greet'\nRHLT\n",
     {{4, E, "registered as 'GREET'"}}},
    {"call-before-definition", "RRLR'2.1'\nCALL'P'\nPROC'P'0\nENDP\nRHLT\n",
     {{2, E, "defined only further down (line 3)"}}},
    {"call-inside-body-reached-too-early",
     "RRLR'2.1'\nPROC'A'0\nCALL'B'\nENDP\nCALL'A'\nPROC'B'0\nENDP\nRHLT\n",
     {{3, E, "defined only further down (line 6)"}}},
    {"call-inside-body-defined-in-time",
     "RRLR'2.1'\nPROC'A'0\nCALL'B'\nENDP\nPROC'B'0\nENDP\nCALL'A'\nRHLT\n", {}},
    {"too-many-arguments", "RRLR'2.1'\nPROC'P'[74]\nENDP\nCALL'P''a''b'\nRHLT\n",
     {{4, E, "passes 2 arguments, the definition of line 2 takes 1"}}},
    {"too-few-arguments", "RRLR'2.1'\nPROC'P'[74][75]\nENDP\nCALL'P''a'#'b'\nRHLT\n",
     {{4, E, "passes 1 argument, the definition of line 2 takes 2"}}},
    {"function-without-result", "RRLR'2.1'\nFUNC'F'0\nENDF\nCALL'F''a'\nRHLT\n",
     {{4, E, "needs a [reference] for its result"}}},
    {"PROC-unclosed", "RRLR'2.1'\nPROC'P'0\nR060'a'\n", {{2, E, "PROC 'P' without ENDP"}}},
    {"PROC-ended-by-ENDF", "RRLR'2.1'\nPROC'P'0\nENDF\nRHLT\n",
     {{2, E, "PROC 'P' without ENDP"}, {3, E, "its header looks for ENDP"}}},
    {"ENDP-alone", "RRLR'2.1'\nENDP\nRHLT\n", {{2, W, "outside a definition"}}},
    {"header-inside-loop", "RRLR'2.1'\nRRPT\nPROC'P'0\nENDP\nRUNT'1'='1'\nRHLT\n",
     {{3, E, "inside the loop of line 2"}}},
    {"definition-twice", "RRLR'2.1'\nPROC'P'0\nENDP\nPROC'p'0\nENDP\nRHLT\n",
     {{4, W, "defined again (first at line 2)"}}},

    // Literals and brackets.
    {"unterminated-literal", "RRLR'2.1'\nR060'abc\nRHLT\n", {{2, E, "unterminated literal"}}},
    {"unclosed-bracket", "RRLR'2.1'\nR001[62'x'\nRHLT\n", {{2, E, "'[' in column 5 is never closed"}}},
    {"unmatched-parenthesis", "RRLR'2.1'\nR001[62]('1'+'2'))\nRHLT\n", {{2, E, "unmatched ')'"}}},
    {"brackets-in-literal-are-text", "RRLR'2.1'\nR001[62]'[(]'\nRHLT\n", {}},

    // Unreachable code.
    {"code-after-halt", "RRLR'2.1'\nRHLT\nR060'never'\nR060'again'\n",
     {{3, W, "never runs: nothing jumps here after line 2"}}},
    {"label-after-halt-is-reachable", "RRLR'2.1'\nR004'x'\nRLBLx\nRHLT\n", {}},
    {"halt-inside-block-is-conditional", "RRLR'2.1'\nRXIF'1'='2'\nRHLT\nRXEI\nR060'a'\nRHLT\n", {}},
};

INSTANTIATE_TEST_SUITE_P(Klint, LintTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LintCase>& info) {
                           std::string name = info.param.id;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// Listing lines are reported as written: comment lines keep their numbers.
TEST(Klint, ListingLineNumbersCountComments) {
  const klint::Source source =
      klint::source_from_listing("; one\r\n; two\r\nRRLR'2.1'\r\n\r\n; five\r\nXYZW\r\n");
  const std::vector<klint::Finding> got = klint::lint(source);
  ASSERT_EQ(got.size(), 1u) << describe(got);
  EXPECT_EQ(got[0].line, 6u);
  EXPECT_EQ(klint::format_finding("a.kil", got[0]),
            "a.kil:6: error: unknown opcode 'XYZW': the program stops here");
}

// Raw code: line N of the code, both 0x01 and LF end a line.
TEST(Klint, RawCodeLines) {
  klint::Source source;
  std::string why;
  ASSERT_TRUE(klint::source_from_bytes("RRLR'2.1'\x01R060'a'\nXYZW\x01", klint::Reading::automatic,
                                       source, why));
  const std::vector<klint::Finding> got = klint::lint(source);
  ASSERT_EQ(got.size(), 1u) << describe(got);
  EXPECT_EQ(got[0].line, 3u);
}

}  // namespace
