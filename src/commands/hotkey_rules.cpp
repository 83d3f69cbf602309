#include "commands/hotkey_rules.h"

#include <cstring>

#include "core/code.h"
#include "core/text.h"
#include "varsys/list_split.h"

namespace kestrel {

namespace hotkeys {

namespace {

struct TildeKey {
  char character;
  int code;
};

constexpr TildeKey kTildeKeys[] = {
    {'r', 13},  {'t', 9},   {'a', 18},  {'c', 20},  {'b', 8},   {'U', 38},  {'D', 40},
    {'L', 37},  {'R', 39},  {'1', 112}, {'2', 113}, {'3', 114}, {'4', 115}, {'5', 116},
    {'6', 117}, {'7', 118}, {'8', 119}, {'9', 120}, {'A', 121}, {'B', 122}, {'C', 123},
};

struct ModifierWord {
  const char* word;
  unsigned numeric_bit;  // the bit of the numeric form
  unsigned modifier;
};

constexpr ModifierWord kModifierWords[] = {
    {"ALT", 2, kModAlt},
    {"CTRL", 4, kModControl},
    {"SHIFT", 8, kModShift},
    {"WIN", 16, kModWin},
};

unsigned numeric_modifiers(int number) {
  unsigned bits = 0;
  for (const ModifierWord& m : kModifierWords)
    if ((static_cast<unsigned>(number) & m.numeric_bit) != 0) bits |= m.modifier;
  return bits;
}

unsigned word_modifier(std::string_view part) {
  const std::string word = keyword(part);
  for (const ModifierWord& m : kModifierWords)
    if (word == m.word) return m.modifier;
  return 0;
}

}  // namespace

std::optional<int> tilde_key_code(char c) {
  for (const TildeKey& key : kTildeKeys)
    if (key.character == c) return key.code;
  return std::nullopt;
}

HotkeyKey key_code(std::string_view key_text, KeyScan scan) {
  char character = key_text.empty() ? '\0' : key_text[0];
  if (character == '~') {
    character = key_text.size() > 1 ? key_text[1] : '\0';
    if (const std::optional<int> code = tilde_key_code(character)) return {true, *code, 0};
  }
  const int answer = scan(character);
  if (answer < 0) return {};
  const unsigned shift_state = static_cast<unsigned>(answer) >> 8;
  HotkeyKey key{true, answer & 0xFF, 0};
  if ((shift_state & 1) != 0) key.modifiers |= kModShift;
  if ((shift_state & 2) != 0) key.modifiers |= kModControl;
  if ((shift_state & 4) != 0) key.modifiers |= kModAlt;
  return key;
}

unsigned modifiers(std::string_view text) {
  const int number = text_to_int(text);
  if (text == "0" || number != 0) return numeric_modifiers(number);
  unsigned bits = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(",+&", start);
    if (end == std::string_view::npos) end = text.size();
    bits |= word_modifier(text.substr(start, end - start));
    start = end + 1;
  }
  return bits;
}

void skip_operand_separator(Code& code, const char* accepted) {
  const char next = code.peek_token_char();
  if (next != 0 && std::strchr(accepted, next) != nullptr) code.read_char();
}

int HotkeyTable::find(std::string_view name) const {
  for (size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i] && *slots_[i] == name) return static_cast<int>(i);
  return -1;
}

int HotkeyTable::append(std::string_view name) {
  slots_.emplace_back(std::string(name));
  return static_cast<int>(slots_.size()) - 1;
}

bool HotkeyTable::remove(int number) {
  if (number < 0 || static_cast<size_t>(number) >= slots_.size() || !slots_[number]) return false;
  slots_[number].reset();
  return true;
}

const char* HotkeyTable::name(int number) const {
  if (number < 0 || static_cast<size_t>(number) >= slots_.size() || !slots_[number]) return nullptr;
  return slots_[number]->c_str();
}

std::vector<int> HotkeyTable::live_numbers() const {
  std::vector<int> numbers;
  for (size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i]) numbers.push_back(static_cast<int>(i));
  return numbers;
}

}  // namespace hotkeys

namespace tray {

std::string fit_tip(std::string_view tip) {
  return std::string(tip.substr(0, kTipField - 1));
}

std::vector<MenuItem> menu_items(std::string_view list, std::string_view separators) {
  std::vector<MenuItem> items;
  int number = 0;
  for (std::string& text : split_tokens(list, separators)) {
    MenuItem item;
    item.number = ++number;
    item.separator = text == "-";
    item.text = std::move(text);
    items.push_back(std::move(item));
  }
  return items;
}

std::string chosen_item(std::string_view list, std::string_view separators, int choice) {
  for (MenuItem& item : menu_items(list, separators))
    if (item.number == choice) return std::move(item.text);
  return {};
}

}  // namespace tray

namespace file_dialogs {

std::string convert_filter(std::string_view filter, char separator) {
  if (filter.empty()) return {};
  std::string converted(filter);
  for (char& c : converted)
    if (c == separator) c = '\0';
  converted.append(2, '\0');
  return converted;
}

std::string join_selection(const char* buffer, size_t size, char separator) {
  std::string joined;
  for (size_t i = 0; i < size && buffer[i] != '\0'; ++i) {
    joined += buffer[i];
    const bool item_ends = i + 2 < size && buffer[i + 1] == '\0' && buffer[i + 2] != '\0';
    if (item_ends) {
      // A separator that is the zero character ends the text here, as a
      // zero byte in the text would.
      if (separator == '\0') break;
      joined += separator;
      ++i;  // step over the zero byte
    }
  }
  return joined;
}

}  // namespace file_dialogs

}  // namespace kestrel
