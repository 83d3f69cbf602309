// The portable rules of the mouse command: the action table and the
// position operand in script coordinates.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kestrel {

enum class MouseButtonEvent { LeftDown, LeftUp, RightDown, RightUp };

// The button events of an action operand (trimmed and upper-cased here),
// in the order they are sent; none for a text that names no action, which
// then only moves the pointer.
std::span<const MouseButtonEvent> mouse_action_events(std::string_view action);

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// The screen position of a position operand: split at every character of
// `separators` (runs count as one, leading ones skipped), the first token
// is x and the second y, each one-based; a missing token reads as 0 on the
// screen. Further tokens are ignored.
ScreenPoint mouse_position(std::string_view position, std::string_view separators);

}  // namespace kestrel
