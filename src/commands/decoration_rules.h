// The window-free rules of the decoration properties: the parts of a status
// bar value, the window styles of the "STYLE" keywords, the stacking of the
// "ORDER" keywords and the longest tooltip text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::designer {

// A status bar has at most this many parts (the control's own limit);
// further fields of the value are ignored.
inline constexpr size_t kStatusPartLimit = 256;

// One part of a status bar: its text and its right edge in client pixels
// (-1 reaches the right border). No edge: the one part of a value without
// any, as wide as the screen's full-screen client width.
struct StatusPart {
  std::string text;
  std::optional<int> right;

  bool operator==(const StatusPart&) const = default;
};

// Splits a non-empty "STATUSBAR" value at the characters of `separator`
// (runs count as one, empty fields skipped) into alternating part texts and
// right edges. Each edge completes a part; a text after the last edge is
// ignored. A value with a text but no edge gives one part without an edge.
std::vector<StatusPart> read_status_parts(std::string_view value, std::string_view separator);

// The window style a "STYLE" value gives a dialog. `keyword` is set for the
// four keywords and their codes and holds the text that is stored and read
// back; every other value gives the style a dialog is created with.
struct DialogStyle {
  uint32_t style;
  uint32_t ex_style;
  bool keyword;
};
// `value` already in upper case.
DialogStyle dialog_style(std::string_view value);

// The stacking that an "ORDER" value asks for.
enum class Stacking { kBottom, kTopmost, kNormal };
// `value` already in upper case: "BOTTOM" or "1", "TOP" or "2", else normal
// (which is stored as an empty text).
Stacking dialog_stacking(std::string_view value);

// A tooltip text longer than this is cut to it, so that the text kept (and
// read back) stays within what the tooltip control copies for display (a
// buffer of 1024 characters with its terminating zero).
inline constexpr size_t kTooltipTextLimit = 1023;

// `value` cut to kTooltipTextLimit bytes.
std::string tooltip_text(std::string_view value);

}  // namespace kestrel::designer
