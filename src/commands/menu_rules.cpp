#include "commands/menu_rules.h"

namespace kestrel::designer {

std::vector<MenuStep> read_menu_description(std::string_view description,
                                            std::string_view separator) {
  std::vector<MenuStep> steps;
  std::vector<std::string> titles;  // the open pop-ups, innermost last
  std::string text;
  // A separator without characters ends no item (its first character is the
  // terminating zero, which a description cannot contain).
  const bool has_item_end = !separator.empty();
  for (size_t i = 0; i < description.size(); ++i) {
    const char c = description[i];
    if (c == ':' && titles.size() < static_cast<size_t>(kMenuDepthLimit)) {
      steps.push_back({MenuStep::kOpen, text});
      titles.push_back(std::move(text));
      text.clear();
    } else if (c == ';' || (has_item_end && c == separator[0])) {
      if (text == "-") steps.push_back({MenuStep::kSeparator, {}});
      else if (!text.empty()) steps.push_back({MenuStep::kItem, text});
      text.clear();
      if (c == ';' && !titles.empty()) {
        steps.push_back({MenuStep::kClose, std::move(titles.back())});
        titles.pop_back();
      }
    } else if (c == '~' && i + 1 < description.size()) {
      text += description[++i];
    } else {
      text += c;
    }
  }
  return steps;
}

}  // namespace kestrel::designer
