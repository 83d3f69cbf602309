#include "commands/string_search.h"

#include <algorithm>
#include <cstring>

namespace kestrel {

PatternSearcher::PatternSearcher(std::string_view pattern, bool ignore_case)
    : pattern_(pattern), ignore_case_(ignore_case), fail_(pattern.size()) {
  for (int c = 0; c < 256; ++c) {
    const bool small = ignore_case && c >= 'a' && c <= 'z';
    fold_[c] = static_cast<unsigned char>(small ? c - 'a' + 'A' : c);
  }
  size_t border = 0;
  for (size_t i = 1; i < pattern_.size(); ++i) {
    const unsigned char c = fold(pattern_[i]);
    while (border > 0 && fold(pattern_[border]) != c) border = fail_[border - 1];
    if (fold(pattern_[border]) == c) ++border;
    fail_[i] = border;
  }
}

size_t PatternSearcher::advance(size_t state, unsigned char c) const {
  while (state > 0 && fold(pattern_[state]) != c) state = fail_[state - 1];
  if (fold(pattern_[state]) == c) ++state;
  return state;
}

// Index of the next byte at or after `from` that can start a match (equals
// the pattern's first byte after folding), or the text's size. Lets the scan
// pass quickly over the bytes that cannot begin a match.
size_t PatternSearcher::skip_to_start(std::string_view text, size_t from) const {
  if (from >= text.size()) return text.size();
  if (!ignore_case_) {
    const void* hit = std::memchr(text.data() + from, pattern_[0], text.size() - from);
    if (hit == nullptr) return text.size();
    return static_cast<size_t>(static_cast<const char*>(hit) - text.data());
  }
  const unsigned char first = fold(pattern_[0]);
  while (from < text.size() && fold(text[from]) != first) ++from;
  return from;
}

size_t PatternSearcher::find(std::string_view text, size_t from) const {
  const size_t m = pattern_.size();
  if (m == 0) return from <= text.size() ? from : std::string_view::npos;
  size_t state = 0;
  for (size_t i = from; i < text.size(); ++i) {
    if (state == 0) {
      i = skip_to_start(text, i);
      if (i == text.size()) break;
    }
    state = advance(state, fold(text[i]));
    if (state == m) return i + 1 - m;
  }
  return std::string_view::npos;
}

uint64_t PatternSearcher::count_overlapping(std::string_view text) const {
  const size_t m = pattern_.size();
  if (m == 0) return text.size();
  uint64_t count = 0;
  size_t state = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (state == 0) {
      i = skip_to_start(text, i);
      if (i == text.size()) break;
    }
    state = advance(state, fold(text[i]));
    if (state == m) {
      ++count;
      state = fail_[m - 1];  // the longest border may start the next match
    }
  }
  return count;
}

int64_t find_occurrence(std::string_view text, std::string_view search,
                        int64_t n, bool ignore_case) {
  if (text.empty()) return 0;
  if (search.empty()) return 1;  // matches at position 1 without advancing
  n = std::max<int64_t>(n, 1);
  const PatternSearcher searcher(search, ignore_case);
  size_t from = 0;
  for (int64_t k = 1;; ++k) {
    const size_t hit = searcher.find(text, from);
    if (hit == std::string_view::npos) return 0;
    if (k == n) return static_cast<int64_t>(hit) + 1;
    from = hit + search.size();
  }
}

uint64_t count_occurrences(std::string_view text, std::string_view search,
                           bool ignore_case) {
  return PatternSearcher(search, ignore_case).count_overlapping(text);
}

namespace {

// Number of matches of `searcher` in `text` counted without overlap.
uint64_t count_without_overlap(const PatternSearcher& searcher, std::string_view text) {
  uint64_t count = 0;
  for (size_t hit = searcher.find(text, 0); hit != std::string_view::npos;
       hit = searcher.find(text, hit + searcher.size()))
    ++count;
  return count;
}

// True when replacing in `text` gives at most `limit` bytes. The matches
// are counted only when the bound from the text's length cannot decide, so
// a refusal costs one scan and no allocation.
bool replacement_fits(const PatternSearcher& searcher, std::string_view text,
                      size_t replacement_size, size_t limit) {
  const size_t search_size = searcher.size();
  if (replacement_size <= search_size) {
    if (text.size() <= limit) return true;
    const uint64_t shrink = search_size - replacement_size;
    const uint64_t count = count_without_overlap(searcher, text);
    return text.size() - count * shrink <= limit;
  }
  if (text.size() > limit) return false;
  const uint64_t growth = replacement_size - search_size;
  const uint64_t room = (limit - text.size()) / growth;  // matches that fit
  if (text.size() / search_size <= room) return true;
  return count_without_overlap(searcher, text) <= room;
}

}  // namespace

ReplaceResult replace_all(std::string_view text, std::string_view search,
                          std::string_view replacement, bool ignore_case,
                          size_t limit) {
  ReplaceResult result;
  if (search.empty()) {
    result.text = text;
    return result;
  }
  const PatternSearcher searcher(search, ignore_case);
  if (!replacement_fits(searcher, text, replacement.size(), limit)) {
    result.too_large = true;
    return result;
  }
  result.text.reserve(text.size());
  size_t from = 0;
  for (size_t hit = searcher.find(text, 0); hit != std::string_view::npos;
       hit = searcher.find(text, from)) {
    result.text.append(text.substr(from, hit - from));
    result.text.append(replacement);
    from = hit + search.size();
  }
  result.text.append(text.substr(from));
  return result;
}

std::string_view field_of(std::string_view text, std::string_view separator,
                          int64_t n, bool ignore_case) {
  if (separator.empty()) return text;
  n = std::max<int64_t>(n, 1);
  const PatternSearcher searcher(separator, ignore_case);
  size_t start = 0;
  for (int64_t k = 1; k < n; ++k) {
    const size_t hit = searcher.find(text, start);
    if (hit == std::string_view::npos) return {};
    start = hit + separator.size();
  }
  const size_t end = searcher.find(text, start);
  return end == std::string_view::npos ? text.substr(start)
                                       : text.substr(start, end - start);
}

}  // namespace kestrel
