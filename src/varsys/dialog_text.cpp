#include "varsys/dialog_text.h"

#include <cstdint>

#include "core/text.h"

namespace kestrel {

std::string line_feeds_to_crlf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string crlf_to_line_feeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

int edit_mode_value(std::string_view mode) {
  const std::string word = keyword(mode);
  if (word == "EDITABLE" || word == "WRITEABLE") return 0;
  if (word == "READONLY") return -1;
  return text_to_int(word);
}

int button_set_style(std::string_view buttons) {
  static constexpr std::string_view kSets[] = {"OK",    "OKCANCEL", "CANCELRETRYIGNORE",
                                               "YESNOCANCEL", "YESNO", "RETRYCANCEL"};
  const std::string word = keyword(buttons);
  for (int i = 0; i < 6; ++i)
    if (word == kSets[i]) return i;
  return text_to_int(word);
}

int script_to_system(int script_value) {
  return script_value == INT32_MIN ? INT32_MIN : script_value - 1;
}

int place_coordinate(int script_value, int screen_size, int window_size) {
  if (script_value < 1) return screen_size / 2 - window_size / 2;
  return script_value - 1;
}

bool is_hide_mode(std::string_view mode) {
  const std::string word = upper_ascii(mode);
  return word == "-1" || word == "HIDE";
}

}  // namespace kestrel
