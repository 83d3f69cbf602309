// The rules of the dialog designer that need no window: the control table,
// element type names, geometry and font descriptions, event names and event
// labels, and the line-break conventions between scripts and controls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::designer {

// Element types; 14 and 15 are never assigned.
inline constexpr int kTypeDialog = 0;
inline constexpr int kTypeButton = 1;
inline constexpr int kTypeInput = 2;
inline constexpr int kTypeEdit = 3;
inline constexpr int kTypeLabel = 4;
inline constexpr int kTypeOption = 5;
inline constexpr int kTypeRadio = 6;
inline constexpr int kTypeList = 7;
inline constexpr int kTypeCombo = 8;
inline constexpr int kTypeGroup = 9;
inline constexpr int kTypeImage = 10;
inline constexpr int kTypePassword = 11;
inline constexpr int kTypeMenuItem = 12;
inline constexpr int kTypeMultiList = 13;
inline constexpr int kTypeProgress = 16;
inline constexpr int kTypeStaticCombo = 17;

// Control ids, menu command ids and dialog results of element i.
inline constexpr int kElementIdBase = 2000;

// Event kinds; the switch of kind k is switch k - 1 of an element.
inline constexpr int kEventClick = 1;
inline constexpr int kEventDblClick = 2;
inline constexpr int kEventSize = 3;
inline constexpr int kEventClose = 4;
inline constexpr int kEventChange = 5;
inline constexpr int kEventOk = 6;
inline constexpr int kEventCancel = 7;
inline constexpr int kEventMove = 8;
inline constexpr int kEventMouseMove = 11;
inline constexpr int kEventSwitchCount = 11;
inline constexpr int kEventTimeout = 0;
inline constexpr int kEventHotkey = 99;

// One row of the control table: the keyword and numeric code that select
// it, the element type, the window class and the window styles.
struct ControlKind {
  const char* keyword;
  const char* code;  // nullptr: reachable by keyword only
  int type;
  const char* class_name;
  uint32_t ex_style;
  uint32_t style;
  bool lift_text_limit;  // edit boxes whose limit is lifted after creation
};

inline constexpr uint32_t kGroupStyle = 0x00020000;  // starts a radio group

// The row for `type_keyword` (already trimmed and upper-cased): rows are
// tried in table order, each first by keyword and then by code. nullptr
// means that the keyword creates a dialog.
const ControlKind* find_control_kind(std::string_view type_keyword);

// True for the keywords that create a radio button ("RADIO" and "7").
bool is_radio_keyword(std::string_view type_keyword);

// The name that "TYPE" reports for an element type; "" for a type without
// a name.
const char* element_type_name(int type);

// A position and size as the script wrote them (1-based).
struct Geometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Reads x, y, width and height from `text` split at every character of
// `separator` (runs count as one, empty fields skipped); further fields are
// ignored. Fails with fewer than four fields.
std::optional<Geometry> parse_geometry(std::string_view text, std::string_view separator);

// The two fields of a "SELPOS" value (1-based start, length).
struct Span {
  int start = 0;
  int length = 0;
};
std::optional<Span> parse_span(std::string_view text, std::string_view separator);

// A font description "face|size|flags" read by separator characters.
struct FontSpec {
  std::string face;
  int points = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
};
// Fails when any of the three fields is missing.
std::optional<FontSpec> parse_font(std::string_view text, std::string_view separator);

// The text before the last ':' of an element name: the name of the
// element that holds it. None when the name has no ':'.
std::optional<std::string_view> parent_name(std::string_view name);

// True when `name` belongs inside `owner`: it begins with owner and ':'.
bool is_inside(std::string_view name, std::string_view owner);

// The event kind that the text after "EVENT_" selects: the first of the
// event names (in kind order) with which it begins. With
// `exact_mouse_move`, "MOUSEMOVE" must be equal rather than a prefix (the
// reader's rule). 0 when none matches.
int event_kind_from_name(std::string_view name, bool exact_mouse_move);

// The word of an event label ("click", ...) for a kind that has one, else
// nullptr (time-out, hot key, the never recorded focus kinds, unknown).
const char* event_word(int kind);

// The event label that the wait stores: "word_element" for element
// events, "hotkey_name" for a hot key, "" for a time-out or when a name is
// missing. `element_name` is the name of element result - 2000 (nullptr
// when there is none), `hotkey` the hot key's name (nullptr when unknown).
std::string event_label(int kind, int result, const char* element_name, const char* hotkey);

// Script line breaks to control line breaks: every carriage return is
// dropped, then every line feed becomes carriage return plus line feed.
std::string to_control_breaks(std::string_view text);
// Control line breaks to script line breaks: carriage return plus line
// feed becomes a single line feed.
std::string to_script_breaks(std::string_view text);

// Numbers joined with one character (the first character of the list
// separator). A separator without characters ends the text after the first
// number, as the C formatting of a zero character does.
std::string join_numbers(const std::vector<int>& numbers, std::string_view separator);

// Texts joined with the whole separator text, none after the last.
std::string join_texts(const std::vector<std::string>& items, std::string_view separator);

}  // namespace kestrel::designer
