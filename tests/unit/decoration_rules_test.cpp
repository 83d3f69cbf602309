// The window-free rules of dialog menus and decorations: reading a menu
// description into build steps, status bar parts, the style and stacking
// keywords and the tooltip text cut.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/decoration_rules.h"
#include "commands/menu_rules.h"

namespace kestrel::designer {
namespace {

// The steps in a compact form: "+T" opens a pop-up titled T, "-T" closes
// one titled T, "=" is a separator line, any other entry an item.
std::string render(const std::vector<MenuStep>& steps) {
  std::string out;
  for (const MenuStep& step : steps) {
    if (!out.empty()) out += ' ';
    switch (step.kind) {
      case MenuStep::kOpen: out += "+" + step.text; break;
      case MenuStep::kClose: out += "-" + step.text; break;
      case MenuStep::kSeparator: out += "="; break;
      case MenuStep::kItem: out += "[" + step.text + "]"; break;
    }
  }
  return out;
}

struct MenuCase {
  const char* id;
  const char* description;
  const char* separator;
  const char* steps;
};

const MenuCase kMenuCases[] = {
    {"menu-1", "File:Open|Save|-|Exit;Help:About;", "|",
     "+File [Open] [Save] = [Exit] -File +Help [About] -Help"},
    {"menu-2", "File:Recent:One|Two;Close;", "|", "+File +Recent [One] [Two] -Recent [Close] -File"},
    {"menu-3", "Quit|", "|", "[Quit]"},
    {"menu-4", "Save~;Exit|", "|", "[Save;Exit]"},
    // the last pop-up never closed: Open is an item, Exit dropped, no close
    {"menu-5", "File:Open|Exit", "|", "+File [Open]"},
    {"menu-6", "File:Open|Exit;", "|", "+File [Open] [Exit] -File"},
    // a ';' at the outermost level only ends the item
    {"menu-7", "A;B;", "|", "[A] [B]"},
    // empty items are not appended; runs of item ends count as one
    {"menu-8", "||A|||B|", "|", "[A] [B]"},
    // the escape takes any next character, itself included; at the end it is text
    {"menu-9", "a~:b~|c~~d|e~", "|", "[a:b|c~d]"},
    {"menu-10", "x|e~;", "|", "[x]"},  // the final text "e~" is not ended: dropped
    {"menu-11", "A|B~", "|", "[A]"},
    // the separator's first character ends items; '|' is then plain text
    {"menu-12", "F:a,b|c;", ",;", "+F [a] [b|c] -F"},
    // ';' keeps its role whatever the separator
    {"menu-13", "F:a;G:b;", ",", "+F [a] -F +G [b] -G"},
    // an empty separator ends no item: only ';' does
    {"menu-14", "F:a|b;", "", "+F [a|b] -F"},
    // "-" only as the whole text is a separator line; the mnemonic is kept
    {"menu-15", "&File:-x|--|-;", "|", "+&File [-x] [--] = -&File"},
    // an empty title is a title too
    {"menu-16", ":a;", "|", "+ [a] -"},
    {"menu-17", "", "|", ""},
    {"menu-18", "no end at all", "|", ""},
};

TEST(MenuDescription, ReadsIntoBuildSteps) {
  for (const MenuCase& c : kMenuCases) {
    EXPECT_EQ(render(read_menu_description(c.description, c.separator)), c.steps)
        << c.id << ": " << c.description;
  }
}

TEST(MenuDescription, NestingIsCappedAndDeeperColonsAreText) {
  std::string description(kMenuDepthLimit + 3, ':');
  description += "x;";
  const std::vector<MenuStep> steps = read_menu_description(description, "|");
  int opened = 0;
  for (const MenuStep& step : steps) opened += step.kind == MenuStep::kOpen;
  EXPECT_EQ(opened, kMenuDepthLimit);
  // the three colons beyond the limit belong to the item's text
  ASSERT_GE(steps.size(), static_cast<size_t>(kMenuDepthLimit + 2));
  EXPECT_EQ(steps[kMenuDepthLimit], (MenuStep{MenuStep::kItem, ":::x"}));
  EXPECT_EQ(steps.back().kind, MenuStep::kClose);
}

struct PartsCase {
  const char* id;
  const char* value;
  const char* separator;
  std::vector<StatusPart> parts;
};

const PartsCase kPartsCases[] = {
    {"parts-1", "Ready", "|", {{"Ready", std::nullopt}}},
    {"parts-2", "Name|100|Size|200|Date|-1", "|", {{"Name", 100}, {"Size", 200}, {"Date", -1}}},
    {"parts-3", "Name|100|Size", "|", {{"Name", 100}}},  // text after the last edge ignored
    {"parts-4", "|Name||100||", "|", {{"Name", 100}}},    // empty fields skipped
    {"parts-5", "a,10;b,x", ",;", {{"a", 10}, {"b", 0}}},  // every separator character; "x" is 0
    {"parts-6", "|||", "|", {}},
};

TEST(StatusParts, AlternateTextsAndRightEdges) {
  for (const PartsCase& c : kPartsCases) {
    EXPECT_EQ(read_status_parts(c.value, c.separator), c.parts) << c.id << ": " << c.value;
  }
}

TEST(StatusParts, AtMostTheControlsLimit) {
  std::string value;
  for (size_t i = 0; i < kStatusPartLimit + 10; ++i) value += "p|" + std::to_string(i + 1) + "|";
  const std::vector<StatusPart> parts = read_status_parts(value, "|");
  ASSERT_EQ(parts.size(), kStatusPartLimit);
  EXPECT_EQ(parts.back(), (StatusPart{"p", static_cast<int>(kStatusPartLimit)}));
}

struct StyleCase {
  const char* value;
  uint32_t style;
  uint32_t ex_style;
  bool keyword;
};

const StyleCase kStyleCases[] = {
    {"DIALOG", 0x00C80000, 0, true},      {"0", 0x00C80000, 0, true},
    {"SINGLE", 0x00CA0000, 0, true},      {"1", 0x00CA0000, 0, true},
    {"TOOL", 0x00CF0000, 0x80, true},     {"2", 0x00CF0000, 0x80, true},
    {"STATIC_TOOL", 0x00C80000, 0x188, true}, {"3", 0x00C80000, 0x188, true},
    {"", 0x00CF0000, 0, false},           {"4", 0x00CF0000, 0, false},
    {" TOOL", 0x00CF0000, 0, false},      {"TOOLS", 0x00CF0000, 0, false},
};

TEST(DialogStyle, KeywordsCodesAndTheCreationStyle) {
  for (const StyleCase& c : kStyleCases) {
    const DialogStyle got = dialog_style(c.value);
    EXPECT_EQ(got.style, c.style) << "'" << c.value << "'";
    EXPECT_EQ(got.ex_style, c.ex_style) << "'" << c.value << "'";
    EXPECT_EQ(got.keyword, c.keyword) << "'" << c.value << "'";
  }
}

TEST(DialogStacking, KeywordsAndCodes) {
  const struct {
    const char* value;
    Stacking stacking;
  } cases[] = {{"BOTTOM", Stacking::kBottom}, {"1", Stacking::kBottom},
               {"TOP", Stacking::kTopmost},   {"2", Stacking::kTopmost},
               {"", Stacking::kNormal},       {"3", Stacking::kNormal},
               {"TOPMOST", Stacking::kNormal}};
  for (const auto& c : cases) {
    EXPECT_EQ(dialog_stacking(c.value), c.stacking) << "'" << c.value << "'";
  }
}

TEST(TooltipText, LongTextsAreCutAtTheLimit) {
  EXPECT_EQ(tooltip_text(""), "");
  EXPECT_EQ(tooltip_text("Save the file"), "Save the file");
  const std::string exact(kTooltipTextLimit, 'a');
  EXPECT_EQ(tooltip_text(exact), exact);
  const std::string longer = exact + "bcd";
  EXPECT_EQ(tooltip_text(longer), exact);
}

}  // namespace
}  // namespace kestrel::designer
