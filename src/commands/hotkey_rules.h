// The portable rules of the tray, hot-key and file-dialog commands: hot-key
// key codes and modifiers, the hot-key table, the operand separators of the
// hot-key command, the tray menu items and tip text, and the conversions of
// the file dialogs' filter and multiple-selection texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class Code;

namespace hotkeys {

// Modifier bits as the system's hot-key registration takes them.
inline constexpr unsigned kModAlt = 0x1;
inline constexpr unsigned kModControl = 0x2;
inline constexpr unsigned kModShift = 0x4;
inline constexpr unsigned kModWin = 0x8;

// The key code of the character after "~" ("r" Enter, "1" F1, "A" F10,
// ...), or nothing when the character has no entry.
std::optional<int> tilde_key_code(char c);

// Lays out a key on the keyboard: the signed 16-bit answer of the system's
// key scan for one character (key code in the low byte, shift state in the
// high byte, -1 when no key gives it).
using KeyScan = int16_t (*)(char c);

// A key of a hot key: its key code and the modifiers its character needs.
struct HotkeyKey {
  bool valid = false;      // false when no key gives the character
  int code = 0;            // the key code (0 to 255)
  unsigned modifiers = 0;  // Shift, Ctrl, Alt as the character needs them
};

// The key of a key text: "~" and a character of the table give the
// table's code; any other first character (or "~" followed by one not in
// the table) gives the key scan answer of that character: its key code,
// and the shift state (1 Shift, 2 Ctrl, 4 Alt) as modifiers, so that "A"
// is Shift+A rather than a code no key produces. A character no key gives
// is not valid. Further characters are ignored; an empty text scans the
// zero character.
HotkeyKey key_code(std::string_view key_text, KeyScan scan);

// The modifier bits of a modifier text. "0", or a text that converts to a
// non-zero number, is the numeric form (2 Alt, 4 Ctrl, 8 Shift, 16 Win);
// otherwise the parts between ",", "+" and "&" are the words "ALT",
// "CTRL", "SHIFT" and "WIN" in any letter case (blanks around a word
// allowed); other parts add nothing.
unsigned modifiers(std::string_view text);

// Skips blanks and tabs, then consumes the next character if it is one of
// `accepted`. An operand that follows straight away (its opening quote or
// bracket) is left alone, so both "a','b" and "a''b" forms read right.
void skip_operand_separator(Code& code, const char* accepted);

// The registered hot keys by number. A deleted entry leaves an empty slot;
// numbers are never given out again.
class HotkeyTable {
 public:
  // The number of the first live entry named exactly `name`, or -1.
  int find(std::string_view name) const;
  // The number the next entry gets: the count of slots so far.
  int next_number() const { return static_cast<int>(slots_.size()); }
  // Appends `name`; returns its number.
  int append(std::string_view name);
  // Empties slot `number`; false when it is not a live entry.
  bool remove(int number);
  // The name of live entry `number`, or nullptr.
  const char* name(int number) const;
  // The numbers of all live entries, in order.
  std::vector<int> live_numbers() const;
  bool empty() const { return slots_.empty(); }

 private:
  std::vector<std::optional<std::string>> slots_;
};

}  // namespace hotkeys

namespace tray {

// The size of the tip field of the tray icon record, with its zero byte.
inline constexpr size_t kTipField = 64;

// The tip text as it fits the record: at most 63 bytes.
std::string fit_tip(std::string_view tip);

// A menu item: its number (the command identifier, from 1) and text; the
// item "-" is a separator line.
struct MenuItem {
  int number = 0;
  std::string text;
  bool separator = false;
};

// The items of the tray menu: `list` split with every character of
// `separators` as a delimiter (runs count as one, no empty items).
std::vector<MenuItem> menu_items(std::string_view list, std::string_view separators);

// The text of item `choice` of `list`, or an empty text when no item has
// that number (-1: nothing chosen).
std::string chosen_item(std::string_view list, std::string_view separators, int choice);

}  // namespace tray

namespace file_dialogs {

// The size of the file dialogs' result buffer.
inline constexpr size_t kFileBuffer = 2049;

// The filter in the system's form: every `separator` byte becomes a zero
// byte, and two zero bytes end the text. An empty filter stays empty.
std::string convert_filter(std::string_view filter, char separator);

// The result list of a multiple selection (directory, zero, name, zero,
// ..., two zeros) as one text: each zero byte followed by a non-zero byte
// becomes `separator`. Reads at most `size` bytes of `buffer`; a single
// path comes back unchanged.
std::string join_selection(const char* buffer, size_t size, char separator);

}  // namespace file_dialogs

}  // namespace kestrel
