// Hot-key key codes and modifiers, the hot-key table, the separators of the
// hot-key command's operands, the tray menu items and tip, and the file
// dialogs' filter and selection conversions.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "commands/hotkey_rules.h"
#include "core/code.h"

namespace kestrel {
namespace {

using namespace hotkeys;

// A stand-in key scan: letters and digits on their own key (capitals with
// Shift), nothing for other characters.
int16_t fake_scan(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
  if (c >= '0' && c <= '9') return static_cast<int16_t>(c);
  return -1;
}

std::string show(const HotkeyKey& key) {
  if (!key.valid) return "none";
  return std::to_string(key.code) + "/" + std::to_string(key.modifiers);
}

TEST(HotkeyRules, KeyCodes) {
  struct Case {
    const char* text;
    const char* expected;  // code/modifiers, or none
  } cases[] = {
      {"~r", "13/0"},   {"~t", "9/0"},    {"~a", "18/0"},   {"~c", "20/0"},
      {"~b", "8/0"},    {"~U", "38/0"},   {"~D", "40/0"},   {"~L", "37/0"},
      {"~R", "39/0"},   {"~1", "112/0"},  {"~9", "120/0"},  {"~A", "121/0"},
      {"~B", "122/0"},  {"~C", "123/0"},  {"a", "65/0"},    {"7", "55/0"},
      {"Q", "81/4"},     // a capital: the key of q with Shift
      {"x~1", "88/0"},   // only the first character counts
      {"~u", "85/0"},    // not in the table: the key scan of the character after "~"
      {"~0", "48/0"},
      {"~", "none"},     // nothing after "~": the zero character has no key
      {"", "none"},
      {"(", "none"},     // no key for the character
  };
  for (const Case& c : cases)
    EXPECT_EQ(show(key_code(c.text, fake_scan)), c.expected) << "key text '" << c.text << "'";
}

TEST(HotkeyRules, Modifiers) {
  struct Case {
    const char* text;
    unsigned expected;
  } cases[] = {
      {"0", 0},
      {"6", kModAlt | kModControl},
      {"2", kModAlt},
      {"4", kModControl},
      {"8", kModShift},
      {"16", kModWin},
      {"30", kModAlt | kModControl | kModShift | kModWin},
      {"1", 0},          // a number without any of the bits
      {"  12", kModControl | kModShift},
      {"CTRL+ALT", kModAlt | kModControl},
      {"ctrl,shift", kModControl | kModShift},
      {"Win&Alt", kModWin | kModAlt},
      {"CTRL + ALT", kModAlt | kModControl},
      {"ALT++SHIFT,", kModAlt | kModShift},
      {"CONTROL+ALT", kModAlt},   // unknown words add nothing
      {"", 0},
      {"00", 0},          // not exactly "0" and converts to 0: word form, no words
  };
  for (const Case& c : cases)
    EXPECT_EQ(modifiers(c.text), c.expected) << "modifier text '" << c.text << "'";
}

TEST(HotkeyRules, TableNeverReusesNumbers) {
  HotkeyTable table;
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.append("a"), 0);
  EXPECT_EQ(table.append("b"), 1);
  EXPECT_EQ(table.find("a"), 0);
  EXPECT_EQ(table.find("A"), -1);  // names are case-sensitive
  EXPECT_TRUE(table.remove(0));
  EXPECT_FALSE(table.remove(0));
  EXPECT_FALSE(table.remove(7));
  EXPECT_FALSE(table.remove(-1));
  EXPECT_EQ(table.find("a"), -1);
  EXPECT_EQ(table.name(0), nullptr);
  EXPECT_EQ(table.next_number(), 2);
  EXPECT_EQ(table.append("a"), 2);
  ASSERT_NE(table.name(2), nullptr);
  EXPECT_STREQ(table.name(2), "a");
  EXPECT_STREQ(table.name(1), "b");
  EXPECT_EQ(table.name(3), nullptr);
  EXPECT_EQ(table.name(-5), nullptr);
  EXPECT_EQ(table.live_numbers(), (std::vector<int>{1, 2}));
}

// The code position after skipping a separator: both the separated and the
// adjacent forms of the operands leave it on the next operand.
TEST(HotkeyRules, OperandSeparators) {
  struct Case {
    const char* code;
    const char* accepted;
    size_t expected_pos;
  } cases[] = {
      {",'b'", ",:", 1},
      {":'b'", ",:", 1},
      {" \t,'b'", ",:", 3},
      {"'b'", ",:", 0},
      {"  'b'", ",:", 2},
      {":'b'", ",", 0},
      {"", ",", 0},
      {"\n", ",", 0},
  };
  for (const Case& c : cases) {
    Code code;
    code.assign(c.code);
    skip_operand_separator(code, c.accepted);
    EXPECT_EQ(code.pos, c.expected_pos) << "code '" << c.code << "' accepting '" << c.accepted << "'";
  }
}

std::string show(const std::vector<tray::MenuItem>& items) {
  std::string text;
  for (const tray::MenuItem& item : items) {
    if (!text.empty()) text += ' ';
    text += std::to_string(item.number) + (item.separator ? "=sep" : "=" + item.text);
  }
  return text;
}

TEST(TrayRules, MenuItemsAndChoice) {
  struct Case {
    const char* list;
    const char* separators;
    const char* expected;
  } cases[] = {
      {"a|-|b", "|", "1=a 2=sep 3=b"},
      {"a||b|", "|", "1=a 2=b"},  // no empty items
      {"|a", "|", "1=a"},
      {"a,b;c", ",;", "1=a 2=b 3=c"},
      {"", "|", ""},
      {"x--", "|", "1=x--"},       // only an item that is exactly "-" is a line
  };
  for (const Case& c : cases)
    EXPECT_EQ(show(tray::menu_items(c.list, c.separators)), c.expected) << "list '" << c.list << "'";

  EXPECT_EQ(tray::chosen_item("a|-|b", "|", 3), "b");
  EXPECT_EQ(tray::chosen_item("a|-|b", "|", 1), "a");
  EXPECT_EQ(tray::chosen_item("a|-|b", "|", -1), "");
  EXPECT_EQ(tray::chosen_item("a|-|b", "|", 4), "");
}

TEST(TrayRules, TipIsCutToTheRecord) {
  const std::string long_tip(100, 't');
  EXPECT_EQ(tray::fit_tip(long_tip), std::string(63, 't'));
  EXPECT_EQ(tray::fit_tip(std::string(63, 'x')), std::string(63, 'x'));
  EXPECT_EQ(tray::fit_tip("tip"), "tip");
  EXPECT_EQ(tray::fit_tip(""), "");
}

TEST(FileDialogRules, Filters) {
  using std::string_literals::operator""s;
  struct Case {
    std::string filter;
    char separator;
    std::string expected;
  } cases[] = {
      {"Text|*.txt|All|*.*", '|', "Text\0*.txt\0All\0*.*\0\0"s},
      {"Text|*.txt", ';', "Text|*.txt\0\0"s},
      {"a||b", '|', "a\0\0b\0\0"s},
      {"", '|', ""},
      {"Text|*.txt", '\0', "Text|*.txt\0\0"s},
  };
  for (const Case& c : cases)
    EXPECT_EQ(file_dialogs::convert_filter(c.filter, c.separator), c.expected)
        << "filter '" << c.filter << "'";
}

TEST(FileDialogRules, SelectionLists) {
  using std::string_literals::operator""s;
  struct Case {
    std::string buffer;
    char separator;
    const char* expected;
  } cases[] = {
      {"C:\\d\\one.txt\0\0"s, '|', "C:\\d\\one.txt"},
      {"C:\\d\0a.txt\0b.txt\0c.txt\0\0"s, '|', "C:\\d|a.txt|b.txt|c.txt"},
      {"C:\\d\0a.txt\0b.txt\0\0"s, '\0', "C:\\d"},
      {"\0\0"s, '|', ""},
      {"C:\\d\0a"s, '|', "C:\\d|a"},      // no closing zeros: stops at the buffer's end
      {"C:\\d\0"s, '|', "C:\\d"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(file_dialogs::join_selection(c.buffer.data(), c.buffer.size(), c.separator),
              c.expected);
}

}  // namespace
}  // namespace kestrel
