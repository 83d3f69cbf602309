// The menu description of a dialog's menu bar, read into the steps that
// build it: items and separator lines appended to the menu of the current
// level, pop-ups opened and closed. Window-free, so the reading is tested
// natively; the designer turns the steps into menus and menu item elements.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrel::designer {

// Pop-ups nest at most this deep; a ':' that would open a deeper one is
// taken as a character of the text, so a description cannot make the
// runtime create menus without bound.
inline constexpr int kMenuDepthLimit = 16;

struct MenuStep {
  enum Kind {
    kItem,       // an item `text` on the menu of the current level
    kSeparator,  // a separator line on the menu of the current level
    kOpen,       // a new pop-up menu one level down (its title is `text`)
    kClose,      // the innermost pop-up attached one level up, titled `text`
  } kind;
  std::string text;

  bool operator==(const MenuStep&) const = default;
};

// Reads `description` character by character. ':' opens a pop-up titled by
// the text collected so far; the first character of `separator` ends an
// item; ';' ends an item and closes the innermost pop-up (at the outermost
// level it only ends the item); '~' takes the next character literally (a
// '~' at the very end is itself). An item "-" is a separator line; empty
// items are not appended. A text still being collected at the end is
// dropped, and pop-ups still open at the end get no kClose step (they are
// never attached).
std::vector<MenuStep> read_menu_description(std::string_view description,
                                            std::string_view separator);

}  // namespace kestrel::designer
