// Lists: the first byte gives the separator's length (0 to 7), the
// separator follows, the rest is the list text. Splitting at the whole
// separator must give back the text when the items are joined again;
// splitting at each separator character must give non-empty items free of
// separator characters; a field must be one of the items.
#include <string>

#include "commands/string_search.h"
#include "fuzz_support.h"
#include "varsys/list_split.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view input = kestrel::fuzz::as_text(data + 1, size - 1);
  const size_t length = std::min<size_t>(data[0] % 8, input.size());
  const std::string_view separator = input.substr(0, length);
  const std::string_view text = input.substr(length);

  const std::vector<std::string> items = kestrel::split_list(text, separator);
  if (separator.empty()) {
    KESTREL_FUZZ_CHECK(items.size() == (text.empty() ? 0u : 1u));
  } else {
    std::string joined;
    for (size_t i = 0; i < items.size(); ++i) {
      if (i) joined += separator;
      joined += items[i];
      KESTREL_FUZZ_CHECK(items[i].find(separator) == std::string::npos);
    }
    KESTREL_FUZZ_CHECK(joined == text || joined + std::string(separator) == text);
  }

  size_t from = 0;
  for (const std::string& token : kestrel::split_tokens(text, separator)) {
    KESTREL_FUZZ_CHECK(!token.empty());
    if (!separator.empty())
      KESTREL_FUZZ_CHECK(token.find_first_of(separator) == std::string::npos);
    const size_t at = text.find(token, from);
    KESTREL_FUZZ_CHECK(at != std::string_view::npos);
    from = at + token.size();
  }

  const int64_t n = static_cast<int64_t>(data[0] / 8) - 4;
  const std::string_view field = kestrel::field_of(text, separator, n, data[0] & 1);
  KESTREL_FUZZ_CHECK(field.size() <= text.size());
  if (!(data[0] & 1) && !separator.empty()) {
    const size_t index = static_cast<size_t>(n < 1 ? 1 : n) - 1;
    // A field past the last item is empty; the item after a separator at
    // the very end is the empty last field.
    const std::string_view expected = index < items.size() ? std::string_view(items[index]) : "";
    KESTREL_FUZZ_CHECK(field == expected);
  }
  return 0;
}
