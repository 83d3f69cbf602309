#include "varsys/list_split.h"

namespace kestrel {

bool ListSplitter::next(std::string_view& item) {
  if (done_ || pos_ >= text_.size()) return false;
  if (separator_.empty()) {
    item = text_.substr(pos_);
    done_ = true;
    return true;
  }
  const size_t found = text_.find(separator_, pos_);
  if (found == std::string_view::npos) {
    item = text_.substr(pos_);
    done_ = true;
    return true;
  }
  item = text_.substr(pos_, found - pos_);
  pos_ = found + separator_.size();
  return true;
}

std::vector<std::string> split_list(std::string_view text, std::string_view separator) {
  std::vector<std::string> items;
  ListSplitter splitter(text, separator);
  std::string_view item;
  while (splitter.next(item)) items.emplace_back(item);
  return items;
}

std::vector<std::string> split_tokens(std::string_view text, std::string_view delimiters) {
  std::vector<std::string> items;
  size_t pos = 0;
  while (pos < text.size()) {
    pos = text.find_first_not_of(delimiters, pos);
    if (pos == std::string_view::npos) break;
    size_t end = text.find_first_of(delimiters, pos);
    if (end == std::string_view::npos) end = text.size();
    items.emplace_back(text.substr(pos, end - pos));
    pos = end;
  }
  return items;
}

}  // namespace kestrel
