// The portable rules of the standard dialogs: line breaks of the edit box,
// the mode and button-set keywords, window placement and the info window's
// hide mode.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "varsys/dialog_text.h"

namespace kestrel {
namespace {

std::string visible(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return out;
}

struct LineCase {
  const char* id;
  const char* input;
  const char* to_field;    // line_feeds_to_crlf
  const char* from_field;  // crlf_to_line_feeds
};

const LineCase kLineCases[] = {
    {"lines-1", "a\nb", "a\r\nb", "a\nb"},
    {"lines-2", "a\r\nb", "a\r\r\nb", "a\nb"},
    {"lines-3", "\n\n", "\r\n\r\n", "\n\n"},
    {"lines-4", "a\rb", "a\rb", "a\rb"},
    {"lines-5", "a\r\r\nb", "a\r\r\r\nb", "a\r\nb"},
    {"lines-6", "", "", ""},
    {"lines-7", "end\r", "end\r", "end\r"},
};

TEST(DialogText, ConvertsLineBreaks) {
  for (const LineCase& c : kLineCases) {
    EXPECT_EQ(visible(line_feeds_to_crlf(c.input)), visible(c.to_field)) << c.id;
    EXPECT_EQ(visible(crlf_to_line_feeds(c.input)), visible(c.from_field)) << c.id;
  }
}

// Bare line feeds survive the round trip through the field.
TEST(DialogText, BareLineFeedsComeBack) {
  const std::string text = "one\ntwo\n\nthree\n";
  EXPECT_EQ(visible(crlf_to_line_feeds(line_feeds_to_crlf(text))), visible(text));
}

struct ValueCase {
  const char* id;
  const char* input;
  int expected;
};

const ValueCase kModeCases[] = {
    {"mode-1", "EDITABLE", 0},   {"mode-2", " writeable\t", 0}, {"mode-3", "readonly", -1},
    {"mode-4", "ReadOnly ", -1}, {"mode-5", "5", 5},            {"mode-6", "-1", -1},
    {"mode-7", "", 0},           {"mode-8", "READ ONLY", 0},    {"mode-9", " -1x", -1},
};

TEST(DialogText, MapsEditModes) {
  for (const ValueCase& c : kModeCases)
    EXPECT_EQ(edit_mode_value(c.input), c.expected) << c.id << " mode \"" << c.input << "\"";
}

const ValueCase kButtonCases[] = {
    {"buttons-1", "OK", 0},
    {"buttons-2", "okcancel", 1},
    {"buttons-3", "CancelRetryIgnore", 2},
    {"buttons-4", " YESNOCANCEL ", 3},
    {"buttons-5", "yesno", 4},
    {"buttons-6", "\tRETRYCANCEL", 5},
    {"buttons-7", "36", 36},
    {"buttons-8", "  4", 4},
    {"buttons-9", "YES NO", 0},
    {"buttons-10", "", 0},
    {"buttons-11", "64OK", 64},
};

TEST(DialogText, MapsButtonSets) {
  for (const ValueCase& c : kButtonCases)
    EXPECT_EQ(button_set_style(c.input), c.expected) << c.id << " set \"" << c.input << "\"";
}

struct PlaceCase {
  const char* id;
  int script_value, screen, window;
  int expected;
};

const PlaceCase kPlaceCases[] = {
    {"place-1", 0, 1024, 300, 362},  // unset: centred
    {"place-2", 1, 1024, 300, 0},    // 1-based: the left edge
    {"place-3", 101, 1024, 300, 100},
    {"place-4", -50, 768, 101, 334},  // halves rounded towards zero
    {"place-5", INT_MIN, 768, 24, 372},
    {"place-6", 0, 768, -1, 384},
};

TEST(DialogText, PlacesWindows) {
  for (const PlaceCase& c : kPlaceCases)
    EXPECT_EQ(place_coordinate(c.script_value, c.screen, c.window), c.expected) << c.id;
  EXPECT_EQ(script_to_system(450), 449);
  EXPECT_EQ(script_to_system(0), -1);
  EXPECT_EQ(script_to_system(INT_MIN), INT_MIN);
}

TEST(DialogText, RecognisesTheHideMode) {
  struct Case {
    const char* mode;
    bool hides;
  };
  const Case cases[] = {{"-1", true},  {"hide", true},  {"HiDe", true},  {" HIDE", false},
                        {"HIDDEN", false}, {"0", false}, {"", false},     {"show", false}};
  for (const Case& c : cases)
    EXPECT_EQ(is_hide_mode(c.mode), c.hides) << "mode \"" << c.mode << "\"";
}

}  // namespace
}  // namespace kestrel
