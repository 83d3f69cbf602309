#include "commands/mouse_actions.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

#include "core/text.h"
#include "varsys/list_split.h"

namespace kestrel {

namespace {

using E = MouseButtonEvent;

constexpr E kClickLeft[] = {E::LeftDown, E::LeftUp};
constexpr E kDoubleLeft[] = {E::LeftDown, E::LeftUp, E::LeftDown, E::LeftUp};
constexpr E kClickRight[] = {E::RightDown, E::RightUp};
constexpr E kDoubleRight[] = {E::RightDown, E::RightUp, E::RightDown, E::RightUp};
constexpr E kDownLeft[] = {E::LeftDown};
constexpr E kUpLeft[] = {E::LeftUp};
constexpr E kDownRight[] = {E::RightDown};
constexpr E kUpRight[] = {E::RightUp};

struct MouseAction {
  std::string_view keyword;
  std::string_view digit;
  std::span<const E> events;
};

constexpr std::array<MouseAction, 8> kMouseActions{{
    {"CLICK_LEFT", "1", kClickLeft},
    {"DBLCLICK_LEFT", "2", kDoubleLeft},
    {"CLICK_RIGHT", "3", kClickRight},
    {"DBLCLICK_RIGHT", "4", kDoubleRight},
    {"DOWN_LEFT", "5", kDownLeft},
    {"UP_LEFT", "6", kUpLeft},
    {"DOWN_RIGHT", "7", kDownRight},
    {"UP_RIGHT", "8", kUpRight},
}};

// A one-based script coordinate as a screen coordinate (0 when absent).
int32_t screen_coordinate(const std::vector<std::string>& tokens, size_t index) {
  if (index >= tokens.size()) return 0;
  const int64_t value = static_cast<int64_t>(text_to_int(tokens[index])) - 1;
  return static_cast<int32_t>(std::max<int64_t>(value, INT32_MIN));
}

}  // namespace

std::span<const MouseButtonEvent> mouse_action_events(std::string_view action) {
  const std::string word = keyword(action);
  for (const MouseAction& entry : kMouseActions)
    if (word == entry.keyword || word == entry.digit) return entry.events;
  return {};
}

ScreenPoint mouse_position(std::string_view position, std::string_view separators) {
  const std::vector<std::string> tokens = split_tokens(position, separators);
  return {screen_coordinate(tokens, 0), screen_coordinate(tokens, 1)};
}

}  // namespace kestrel
