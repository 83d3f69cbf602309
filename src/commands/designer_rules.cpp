#include "commands/designer_rules.h"

#include <array>

#include "core/text.h"
#include "varsys/list_split.h"

namespace kestrel::designer {

namespace {

// Every control style includes WS_CHILD | WS_VISIBLE (0x50000000).
constexpr std::array<ControlKind, 18> kControlKinds{{
    {"BUTTON", "1", kTypeButton, "BUTTON", 0, 0x50014000, false},
    {"IMAGEBUTTON", "12", kTypeButton, "BUTTON", 0, 0x50014080, false},
    {"INPUT", "2", kTypeInput, "edit", 0x200, 0x508100C0, false},
    {"EDIT", "3", kTypeEdit, "edit", 0x200, 0x50B110C4, true},
    {"EDIT_LINEWRAP", "4", kTypeEdit, "edit", 0x200, 0x50A11044, true},
    {"LABEL", "5", kTypeLabel, "static", 0, 0x50000100, false},
    {"OPTION", "6", kTypeOption, "BUTTON", 0, 0x50014003, false},
    {"RADIO", "7", kTypeRadio, "BUTTON", 0, 0x50014009, false},
    {"LIST", "8", kTypeList, "LISTBOX", 0x200, 0x50A10101, false},
    {"LIST_SORTED", "9", kTypeList, "LISTBOX", 0x200, 0x50A10103, false},
    {"LIST_MULTI", "10", kTypeMultiList, "LISTBOX", 0x200, 0x50A10109, false},
    {"LIST_MULTISORTED", "11", kTypeMultiList, "LISTBOX", 0x200, 0x50A1010B, false},
    // "12" belongs to IMAGEBUTTON, tested first: COMBO has its keyword only.
    {"COMBO", nullptr, kTypeCombo, "COMBOBOX", 0x200, 0x50210402, false},
    {"STATIC_COMBO", "13", kTypeStaticCombo, "COMBOBOX", 0x200, 0x50210403, false},
    {"GROUP", "14", kTypeGroup, "button", 0, 0x50000007, false},
    {"IMAGE", "15", kTypeImage, "static", 0, 0x5000010E, false},
    {"PWD", "16", kTypePassword, "edit", 0x200, 0x508100E0, false},
    {"PROGRESS", "17", kTypeProgress, "msctls_progress32", 0x200, 0x50000000, false},
}};

// Event names in kind order (kind = position + 1).
constexpr std::array<std::string_view, kEventSwitchCount> kEventNames{
    "CLICK", "DBLCLICK", "SIZE",     "CLOSE",      "CHANGE",   "OK",
    "CANCEL", "MOVE",    "GETFOCUS", "LEAVEFOCUS", "MOUSEMOVE"};

}  // namespace

const ControlKind* find_control_kind(std::string_view type_keyword) {
  for (const ControlKind& kind : kControlKinds) {
    if (type_keyword == kind.keyword) return &kind;
    if (kind.code != nullptr && type_keyword == kind.code) return &kind;
  }
  return nullptr;
}

bool is_radio_keyword(std::string_view type_keyword) {
  return type_keyword == "RADIO" || type_keyword == "7";
}

const char* element_type_name(int type) {
  switch (type) {
    case kTypeDialog: return "DIALOG";
    case kTypeButton: return "BUTTON";
    case kTypeInput: return "INPUT";
    case kTypeEdit: return "EDIT";
    case kTypeLabel: return "LABEL";
    case kTypeOption: return "OPTION";
    case kTypeRadio: return "RADIO";
    case kTypeList: return "LIST";
    case kTypeCombo: return "COMBO";
    case kTypeGroup: return "GROUP";
    case kTypeImage: return "IMAGE";
    case kTypePassword: return "PWD";
    case kTypeMenuItem: return "MENU";
    case kTypeMultiList: return "MULTILIST";
    case kTypeProgress: return "PROGRESS";
    case kTypeStaticCombo: return "STATIC_COMBO";
    default: return "";
  }
}

std::optional<Geometry> parse_geometry(std::string_view text, std::string_view separator) {
  const std::vector<std::string> fields = split_tokens(text, separator);
  if (fields.size() < 4) return std::nullopt;
  return Geometry{text_to_int(fields[0]), text_to_int(fields[1]), text_to_int(fields[2]),
                  text_to_int(fields[3])};
}

std::optional<Span> parse_span(std::string_view text, std::string_view separator) {
  const std::vector<std::string> fields = split_tokens(text, separator);
  if (fields.size() < 2) return std::nullopt;
  return Span{text_to_int(fields[0]), text_to_int(fields[1])};
}

std::optional<FontSpec> parse_font(std::string_view text, std::string_view separator) {
  const std::vector<std::string> fields = split_tokens(text, separator);
  if (fields.size() < 3) return std::nullopt;
  FontSpec font;
  font.face = fields[0];
  font.points = text_to_int(fields[1]);
  const int flags = text_to_int(fields[2]);
  font.weight = (flags & 2) != 0 ? 700 : 400;
  font.italic = (flags & 4) != 0;
  font.underline = (flags & 8) != 0;
  font.strike_out = (flags & 16) != 0;
  return font;
}

std::optional<std::string_view> parent_name(std::string_view name) {
  const size_t colon = name.rfind(':');
  if (colon == std::string_view::npos) return std::nullopt;
  return name.substr(0, colon);
}

bool is_inside(std::string_view name, std::string_view owner) {
  return name.size() > owner.size() && name.substr(0, owner.size()) == owner &&
         name[owner.size()] == ':';
}

int event_kind_from_name(std::string_view name, bool exact_mouse_move) {
  for (size_t i = 0; i < kEventNames.size(); ++i) {
    const std::string_view event = kEventNames[i];
    const bool last = i + 1 == kEventNames.size();
    const bool match = (last && exact_mouse_move) ? name == event : name.starts_with(event);
    if (match) return static_cast<int>(i) + 1;
  }
  return 0;
}

const char* event_word(int kind) {
  switch (kind) {
    case kEventClick: return "click";
    case kEventDblClick: return "dblclick";
    case kEventSize: return "size";
    case kEventClose: return "close";
    case kEventChange: return "change";
    case kEventOk: return "ok";
    case kEventCancel: return "cancel";
    case kEventMove: return "move";
    case kEventMouseMove: return "mousemove";
    default: return nullptr;
  }
}

std::string event_label(int kind, int result, const char* element_name, const char* hotkey) {
  if (kind == kEventHotkey) {
    return hotkey == nullptr ? std::string() : std::string("hotkey_") + hotkey;
  }
  const char* word = event_word(kind);
  if (word == nullptr || result < kElementIdBase || element_name == nullptr) return {};
  return std::string(word) + "_" + element_name;
}

std::string to_control_breaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string to_script_breaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string join_numbers(const std::vector<int>& numbers, std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) {
      if (separator.empty()) break;
      out += separator[0];
    }
    out += int_text(numbers[i]);
  }
  return out;
}

std::string join_texts(const std::vector<std::string>& items, std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += separator;
    out += items[i];
  }
  return out;
}

}  // namespace kestrel::designer
