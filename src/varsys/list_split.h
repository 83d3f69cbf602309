// Splitting a list text at the whole separator text: a leading separator
// gives an empty first item, two adjacent ones an empty item between them,
// a separator at the very end no empty last item, an empty text no items.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class ListSplitter {
 public:
  ListSplitter(std::string_view text, std::string_view separator)
      : text_(text), separator_(separator) {}

  // The next item, or false when there are no more. With an empty
  // separator the whole text is one item.
  bool next(std::string_view& item);

 private:
  std::string_view text_;
  std::string_view separator_;
  size_t pos_ = 0;
  bool done_ = false;
};

// All items of `text`.
std::vector<std::string> split_list(std::string_view text, std::string_view separator);

// Items split at every character of `delimiters`, runs counting as one and
// empty items skipped (the C library tokenizer's rule).
std::vector<std::string> split_tokens(std::string_view text, std::string_view delimiters);

}  // namespace kestrel
