// Searching a text for a pattern in linear time, with or without regard to
// letter case, and the text commands built on it: the n-th occurrence
// without overlap, the count of occurrences with overlap, replacing every
// occurrence, and the n-th field of a list.
//
// Ignoring case compares bytes after the ASCII-only upper-casing (a to z
// become capitals, nothing else changes). Because that rule keeps every
// byte's position, matches found in the folded view are cut from the
// original text, so results keep their own letter case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// A pattern prepared for Knuth-Morris-Pratt search: preparing it takes time
// linear in its length, and each search over a text takes time linear in the
// part of the text it scans, whatever the pattern and the text hold.
class PatternSearcher {
 public:
  // `pattern` must stay alive while the searcher is used.
  PatternSearcher(std::string_view pattern, bool ignore_case);

  // Index of the first match that starts at or after `from`, or npos. An
  // empty pattern matches at `from` (when `from` is inside the text or at
  // its end).
  size_t find(std::string_view text, size_t from = 0) const;

  // Number of positions of `text` where the pattern starts; matches may
  // overlap. An empty pattern matches at every position of the text.
  uint64_t count_overlapping(std::string_view text) const;

  size_t size() const { return pattern_.size(); }

 private:
  unsigned char fold(char c) const {
    return fold_[static_cast<unsigned char>(c)];
  }
  // The state after the pattern prefix of length `state` (below the
  // pattern's length) is followed by the folded byte `c`.
  size_t advance(size_t state, unsigned char c) const;
  size_t skip_to_start(std::string_view text, size_t from) const;

  std::string_view pattern_;
  bool ignore_case_;
  unsigned char fold_[256];
  // fail_[i]: length of the longest proper border of the first i+1 folded
  // pattern bytes.
  std::vector<size_t> fail_;
};

// 1-based position of the n-th occurrence of `search` in `text` where the
// occurrences are counted without overlap (the scan goes on after the end
// of each match); 0 when there are fewer. `n` below 1 counts as 1. An empty
// search text matches at position 1 of a text that is not empty.
int64_t find_occurrence(std::string_view text, std::string_view search,
                        int64_t n, bool ignore_case);

// Number of positions of `text` where `search` starts (overlapping
// matches count); an empty search text gives the text's length.
uint64_t count_occurrences(std::string_view text, std::string_view search,
                           bool ignore_case);

// Outcome of replace_all: the new text, or `too_large` when the result would
// exceed the caller's limit (then `text` is left empty).
struct ReplaceResult {
  std::string text;
  bool too_large = false;
};

// `text` with every occurrence of `search` replaced by `replacement`, left
// to right without overlap; replacements are not searched again and the
// bytes that are not replaced keep their own case. An empty search text
// leaves the text unchanged. A result longer than `limit` bytes is refused
// before anything is allocated.
ReplaceResult replace_all(std::string_view text, std::string_view search,
                          std::string_view replacement, bool ignore_case,
                          size_t limit);

// Field n (1-based; below 1 counts as 1) of `text` split at each
// occurrence of `separator`, left to right: the text before the first
// separator is field 1, the rest after the last one is the last field. An
// empty text when there are fewer fields; the whole text when the separator
// is empty. The field is a view into `text`.
std::string_view field_of(std::string_view text, std::string_view separator,
                          int64_t n, bool ignore_case);

}  // namespace kestrel
