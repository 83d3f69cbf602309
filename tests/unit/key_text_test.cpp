// The key language: tokens, named keys, held keys, the escape character,
// the fixed key codes and the order of the synthesised events, against a
// small stand-in keyboard layout.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "commands/key_text.h"

namespace kestrel {
namespace {

// A US-like layout in the form VkKeyScanA answers: lower-case letters and
// digits unshifted, capitals with Shift, '~' Shift+0xC0, '^' Shift+'6',
// '@' on Ctrl+Alt+'2' (as an AltGr character is), and no key for '(' and
// ')' or for bytes above 127 (as under Wine's default X keymap).
int16_t fake_layout(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
  if (c >= '0' && c <= '9') return static_cast<int16_t>(c);
  if (c == '~') return 0x1C0;
  if (c == '^') return 0x136;
  if (c == '@') return 0x632;
  return -1;
}

// Events as "+vk"/"-vk" for a key down/up, "+'c'"/"-'c'" for Unicode input.
std::string show(const std::vector<KeyEvent>& events) {
  std::string text;
  for (const KeyEvent& e : events) {
    if (!text.empty()) text += ' ';
    text += e.down ? '+' : '-';
    if (e.unicode)
      text += std::string("'") + e.character + "'";
    else
      text += std::to_string(e.code);
  }
  return text;
}

struct EventCase {
  const char* id;
  std::string_view keys;
  const char* expected;
};

const EventCase kEventCases[] = {
    {"keys-1.1", "", ""},
    {"keys-1.2", "ab", "+65 -65 +66 -66"},
    {"keys-1.3", "A", "+16 +65 -65 -16"},
    {"keys-1.4", "@", "+17 +18 +50 -50 -17 -18"},  // release: key, then Shift, Ctrl, Alt
    // Held keys: released after the next key that is not held, last first.
    {"keys-2.1", "^(ctrl)c", "+17 +67 -67 -17"},
    {"keys-2.2", "^(ctrl)^(alt)(delete)", "+17 +18 +46 -46 -18 -17"},
    {"keys-2.3", "a^(shift)", "+65 -65 +16 -16"},
    {"keys-2.4", "^a^bc", "+65 +66 +67 -67 -66 -65"},
    {"keys-2.5", "^^a", "+65 -65"},
    {"keys-2.6", "^", ""},
    {"keys-2.7", "x^", "+88 -88"},
    {"keys-2.8", "^(ctrl)(nosuchkey)c", "+17 -17 +67 -67"},  // a key sending nothing still ends the hold
    {"keys-2.9", "^(nosuchkey)c", "+67 -67"},
    {"keys-2.10", "^Ab", "+16 +65 +66 -66 -65 -16"},
    // Names: lowered before the lookup; unknown names send nothing.
    {"keys-3.1", "(ENTER)", "+13 -13"},
    {"keys-3.2", "(Return)(f12)(lalt)(rcontrol)", "+13 -13 +123 -123 +164 -164 +163 -163"},
    {"keys-3.3", "(nosuchkey)x", "+88 -88"},
    {"keys-3.4", "()x", "+88 -88"},
    {"keys-3.5", "(enter", "+13 -13"},  // no closing parenthesis: the name is the rest
    {"keys-3.6", "(enterx", ""},
    {"keys-3.7", "(ctrl)", "+17 -17"},
    // Escape character.
    {"keys-4.1", "~~", "+16 +192 -192 -16"},
    {"keys-4.2", "~^", "+16 +54 -54 -16"},
    {"keys-4.3", "~a", "+65 -65"},
    {"keys-4.4", "ab~", "+65 -65 +66 -66"},
    {"keys-4.5", "~", ""},
    // Characters the layout cannot produce are typed as themselves.
    {"keys-5.1", "~(", "+'(' -'('"},
    {"keys-5.2", ")", "+')' -')'"},
    {"keys-5.3", "\xE9", "+'\xE9' -'\xE9'"},
    {"keys-5.4", "^(ctrl)~(", "+17 +'(' -'(' -17"},
    {"keys-5.5", "^)a", "+')' +65 -65 -')'"},
    // Fixed key codes, also after the escape character.
    {"keys-6.1", " *+,-./", "+32 -32 +106 -106 +107 -107 +188 -188 +109 -109 +190 -190 +111 -111"},
    {"keys-6.2", "~+~ ", "+107 -107 +32 -32"},
    // The text ends at a zero byte.
    {"keys-7.1", std::string_view("a\0b", 3), "+65 -65"},
};

TEST(KeyText, EventOrder) {
  for (const EventCase& c : kEventCases) {
    const std::string actual = show(key_events(c.keys, fake_layout));
    EXPECT_EQ(actual, c.expected) << c.id << ": keys \"" << c.keys << "\"";
  }
}

struct NameCase {
  const char* name;
  int expected;  // -1: not in the table
};

TEST(KeyText, NamedKeys) {
  const NameCase cases[] = {
      {"lbutton", 1}, {"enter", 13},   {"return", 13}, {"control", 17}, {"esc", 27},
      {"help", 47},   {"apps", 93},    {"f1", 112},    {"f16", 127},    {"numlock", 144},
      {"ralt", 165},  {"ENTER", -1},   {"", -1},       {"f17", -1},     {"enter ", -1},
  };
  for (const NameCase& c : cases) {
    const std::optional<uint8_t> code = named_key_code(c.name);
    EXPECT_EQ(code ? *code : -1, c.expected) << "name \"" << c.name << "\"";
  }
}

TEST(KeyText, RecordsCarryHeldFlag) {
  const std::vector<KeyRecord> records = parse_key_text("^(shift)a~^", fake_layout);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_TRUE(records[0].held);
  EXPECT_EQ(records[0].code, 16);
  EXPECT_FALSE(records[1].held);
  EXPECT_EQ(records[2].shift, kShiftBit) << "code " << int(records[2].code);
}

TEST(KeyText, LongRunsOfHoldMarks) {
  // Many "^" in a row must neither recurse deeply nor lose the key.
  const std::string keys = std::string(100000, '^') + "a";
  EXPECT_EQ(show(key_events(keys, fake_layout)), "+65 -65");
}

}  // namespace
}  // namespace kestrel
