#include "commands/key_text.h"

#include <array>

#include "core/text.h"

namespace kestrel {

namespace {

struct NamedKey {
  std::string_view name;
  uint8_t code;
};

// The key-name table, searched in this order (the first equal name wins).
constexpr std::array<NamedKey, 59> kNamedKeys{{
    {"lbutton", 1},    {"rbutton", 2},    {"cancel", 3},     {"mbutton", 4},
    {"back", 8},       {"tab", 9},        {"clear", 12},     {"enter", 13},
    {"return", 13},    {"shift", 16},     {"ctrl", 17},      {"control", 17},
    {"alt", 18},       {"pause", 19},     {"capslock", 20},  {"esc", 27},
    {"space", 32},     {"pageup", 33},    {"pagedown", 34},  {"end", 35},
    {"home", 36},      {"left", 37},      {"up", 38},        {"right", 39},
    {"down", 40},      {"select", 41},    {"print", 42},     {"execute", 43},
    {"snapshot", 44},  {"insert", 45},    {"delete", 46},    {"help", 47},
    {"lwin", 91},      {"rwin", 92},      {"apps", 93},      {"f1", 112},
    {"f2", 113},       {"f3", 114},       {"f4", 115},       {"f5", 116},
    {"f6", 117},       {"f7", 118},       {"f8", 119},       {"f9", 120},
    {"f10", 121},      {"f11", 122},      {"f12", 123},      {"f13", 124},
    {"f14", 125},      {"f15", 126},      {"f16", 127},      {"numlock", 144},
    {"scroll", 145},   {"lshift", 160},   {"rshift", 161},   {"lcontrol", 162},
    {"rcontrol", 163}, {"lalt", 164},     {"ralt", 165},
}};

struct FixedKey {
  char character;
  uint8_t code;
};

// Characters typed with a fixed key and no shift state: the space bar, the
// keypad's multiply, add, subtract and divide keys, comma and full stop.
constexpr std::array<FixedKey, 7> kFixedKeys{{
    {' ', 32}, {'*', 106}, {'+', 107}, {',', 188}, {'-', 109}, {'.', 190}, {'/', 111},
}};

// Reads key tokens from a key text, left to right.
class KeyTextReader {
 public:
  KeyTextReader(std::string_view text, LayoutLookup lookup)
      : text_(text.substr(0, text.find('\0'))), lookup_(lookup) {}

  // The record of the next token, or nullopt at the end of the text.
  std::optional<KeyRecord> next() {
    bool held = false;
    while (pos_ < text_.size() && text_[pos_] == '^') {
      held = true;
      ++pos_;
    }
    std::optional<KeyRecord> record = base_token();
    if (record) record->held = held;
    return record;
  }

 private:
  // A token without its "^" prefixes: a name, an escaped or a plain character.
  std::optional<KeyRecord> base_token() {
    if (pos_ >= text_.size()) return std::nullopt;
    const char c = text_[pos_];
    if (c == '(') return named_token();
    if (c == '~') {
      if (pos_ + 1 >= text_.size()) {  // "~" as the last character ends the text
        pos_ = text_.size();
        return std::nullopt;
      }
      pos_ += 2;
      return character_key(text_[pos_ - 1], lookup_);
    }
    ++pos_;
    return character_key(c, lookup_);
  }

  // "(" name ")": the named key, or a record that sends nothing for a name
  // outside the table. Without a closing parenthesis the name is the rest
  // of the text.
  KeyRecord named_token() {
    const size_t start = pos_ + 1;
    size_t close = text_.find(')', start);
    if (close == std::string_view::npos) close = text_.size();
    const std::string name = lower_ascii(text_.substr(start, close - start));
    pos_ = close < text_.size() ? close + 1 : close;
    KeyRecord record;
    record.code = named_key_code(name).value_or(0);
    return record;
  }

  std::string_view text_;
  LayoutLookup lookup_;
  size_t pos_ = 0;
};

void press(const KeyRecord& key, std::vector<KeyEvent>& events) {
  if (key.unicode) {
    events.push_back({true, true, 0, key.character});
    return;
  }
  if (key.code == 0) return;
  if (key.shift & kShiftBit) events.push_back({true, false, kShiftKey, 0});
  if (key.shift & kCtrlBit) events.push_back({true, false, kCtrlKey, 0});
  if (key.shift & kAltBit) events.push_back({true, false, kAltKey, 0});
  events.push_back({true, false, key.code, 0});
}

void release(const KeyRecord& key, std::vector<KeyEvent>& events) {
  if (key.unicode) {
    events.push_back({false, true, 0, key.character});
    return;
  }
  if (key.code == 0) return;
  events.push_back({false, false, key.code, 0});
  if (key.shift & kShiftBit) events.push_back({false, false, kShiftKey, 0});
  if (key.shift & kCtrlBit) events.push_back({false, false, kCtrlKey, 0});
  if (key.shift & kAltBit) events.push_back({false, false, kAltKey, 0});
}

void release_held(std::vector<KeyRecord>& held, std::vector<KeyEvent>& events) {
  for (auto it = held.rbegin(); it != held.rend(); ++it) release(*it, events);
  held.clear();
}

}  // namespace

std::optional<uint8_t> named_key_code(std::string_view lower_name) {
  for (const NamedKey& key : kNamedKeys)
    if (key.name == lower_name) return key.code;
  return std::nullopt;
}

KeyRecord character_key(char character, LayoutLookup lookup) {
  KeyRecord record;
  record.character = character;
  for (const FixedKey& fixed : kFixedKeys) {
    if (fixed.character == character) {
      record.code = fixed.code;
      return record;
    }
  }
  const int16_t scan = lookup(character);
  if (scan == -1) {  // no key of the layout produces it: type the character itself
    record.unicode = true;
    return record;
  }
  const auto bits = static_cast<uint16_t>(scan);
  record.code = static_cast<uint8_t>(bits & 0xFF);
  record.shift = static_cast<uint8_t>(bits >> 8);
  return record;
}

std::vector<KeyRecord> parse_key_text(std::string_view text, LayoutLookup lookup) {
  std::vector<KeyRecord> records;
  KeyTextReader reader(text, lookup);
  while (std::optional<KeyRecord> record = reader.next()) records.push_back(*record);
  return records;
}

std::vector<KeyEvent> key_events(std::string_view text, LayoutLookup lookup) {
  std::vector<KeyEvent> events;
  std::vector<KeyRecord> held;
  KeyTextReader reader(text, lookup);
  while (std::optional<KeyRecord> key = reader.next()) {
    press(*key, events);
    if (key->held) {
      held.push_back(*key);
      continue;
    }
    release(*key, events);
    release_held(held, events);
  }
  release_held(held, events);
  return events;
}

}  // namespace kestrel
