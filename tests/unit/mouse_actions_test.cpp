// The mouse command's rules: the action table and the position operand.
#include <gtest/gtest.h>

#include <string>

#include "commands/mouse_actions.h"

namespace kestrel {
namespace {

std::string show(std::span<const MouseButtonEvent> events) {
  static const char* const kNames[] = {"LD", "LU", "RD", "RU"};
  std::string text;
  for (MouseButtonEvent e : events) {
    if (!text.empty()) text += ' ';
    text += kNames[static_cast<int>(e)];
  }
  return text;
}

TEST(MouseActions, ActionTable) {
  struct Case {
    const char* action;
    const char* expected;
  };
  const Case cases[] = {
      {"CLICK_LEFT", "LD LU"},         {" click_left\t", "LD LU"},
      {"1", "LD LU"},                  {"DBLCLICK_LEFT", "LD LU LD LU"},
      {"2", "LD LU LD LU"},            {"CLICK_RIGHT", "RD RU"},
      {"3", "RD RU"},                  {"dblclick_right", "RD RU RD RU"},
      {"4", "RD RU RD RU"},            {"DOWN_LEFT", "LD"},
      {"5", "LD"},                     {"UP_LEFT", "LU"},
      {"6", "LU"},                     {"DOWN_RIGHT", "RD"},
      {"7", "RD"},                     {"UP_RIGHT", "RU"},
      {"8", "RU"},                     {"MOVE", ""},
      {"", ""},                        {"9", ""},
      {"CLICK LEFT", ""},              {"01", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(show(mouse_action_events(c.action)), c.expected) << "action \"" << c.action << "\"";
}

TEST(MouseActions, Position) {
  struct Case {
    const char* id;
    const char* position;
    const char* separators;
    int x, y;
  };
  const Case cases[] = {
      {"pos-1.1", "1|1", "|", 0, 0},
      {"pos-1.2", "", "|", 0, 0},
      {"pos-1.3", "100||200", "|", 99, 199},
      {"pos-1.4", "|100|200|300", "|", 99, 199},
      {"pos-1.5", "100", "|", 99, 0},
      {"pos-1.6", "10,20;30", ",;", 9, 19},  // every separator character splits
      {"pos-1.7", "0|-5", "|", -1, -6},
      {"pos-1.8", "-2147483648|x", "|", -2147483647 - 1, -1},
  };
  for (const Case& c : cases) {
    const ScreenPoint p = mouse_position(c.position, c.separators);
    EXPECT_TRUE(p.x == c.x && p.y == c.y) << c.id << ": got (" << p.x << ", " << p.y
                                          << "), expected (" << c.x << ", " << c.y << ")";
  }
}

}  // namespace
}  // namespace kestrel
