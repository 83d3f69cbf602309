// The key language of the key-sending command: plain characters, named keys
// in parentheses, held keys ("^"), the escape character ("~") and the fixed
// key codes. Pure functions over a text: the keyboard layout comes in as a
// lookup function, so the whole event order is testable without Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kestrel {

// Shift-state bits of a key record.
inline constexpr uint8_t kShiftBit = 1;
inline constexpr uint8_t kCtrlBit = 2;
inline constexpr uint8_t kAltBit = 4;

// Virtual-key codes of the modifier keys pressed for a shift state.
inline constexpr uint8_t kShiftKey = 16;
inline constexpr uint8_t kCtrlKey = 17;
inline constexpr uint8_t kAltKey = 18;

// One key token after parsing. A code of 0 sends nothing. A character that
// the keyboard layout cannot produce is typed as that character through
// Unicode input (`unicode` set, `character` holds the byte).
struct KeyRecord {
  uint8_t code = 0;
  uint8_t shift = 0;
  bool held = false;
  bool unicode = false;
  char character = 0;
};

// One synthesised keyboard event: a virtual key going down or up, or a
// character sent as Unicode input (`unicode`, code unused).
struct KeyEvent {
  bool down = true;
  bool unicode = false;
  uint8_t code = 0;
  char character = 0;

  bool operator==(const KeyEvent&) const = default;
};

// The layout's answer for a character, in the form VkKeyScanA gives it:
// low byte key code, high byte shift state, -1 when no key produces it.
using LayoutLookup = int16_t (*)(char character);

// The virtual-key code of a key name (already lower case), or nullopt when
// the name is not in the key-name table.
std::optional<uint8_t> named_key_code(std::string_view lower_name);

// The key record of a character typed as a key: the fixed codes of blank,
// "*", "+", ",", "-", ".", "/", otherwise the layout's answer.
KeyRecord character_key(char character, LayoutLookup lookup);

// Parses a key text into its key records, in order. The text ends at its
// end or at a zero byte; a name without its closing parenthesis takes the
// rest of the text, and a "~" as the last character ends the text.
std::vector<KeyRecord> parse_key_text(std::string_view text, LayoutLookup lookup);

// The keyboard events that type `text`, in the order they are sent: for
// each key its modifiers (Shift, Ctrl, Alt) and itself down, then, unless
// it is held, itself and the modifiers up; after a key that is not held
// every held key is released, last pressed first; held keys still down at
// the end are released the same way.
std::vector<KeyEvent> key_events(std::string_view text, LayoutLookup lookup);

}  // namespace kestrel
