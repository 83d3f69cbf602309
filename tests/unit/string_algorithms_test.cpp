// The pure text algorithms behind RF02, RF08, RF10, RF11, RF13, RF14 and
// RF09. The searches are cross-checked against a plain quadratic scan that
// follows the commands' rules word for word, over every short text of a
// small alphabet (with repeats, prefixes and case variants, where a faulty
// failure table shows), with and without regard to case.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "commands/string_basics.h"
#include "commands/string_random.h"
#include "commands/string_search.h"
#include "core/text.h"

namespace kestrel {
namespace {

std::string folded(std::string_view text, bool ignore_case) {
  return ignore_case ? upper_ascii(text) : std::string(text);
}

bool matches_at(const std::string& text, const std::string& search, size_t i) {
  return i + search.size() <= text.size() && text.compare(i, search.size(), search) == 0;
}

int64_t plain_find(std::string_view text, std::string_view search, int64_t n, bool ic) {
  const std::string t = folded(text, ic), s = folded(search, ic);
  if (n < 1) n = 1;
  int64_t found = 0;
  for (size_t i = 0; i < t.size();) {
    if (matches_at(t, s, i)) {
      if (++found == n) return static_cast<int64_t>(i) + 1;
      i += s.size();
    } else {
      ++i;
    }
  }
  return 0;
}

uint64_t plain_count(std::string_view text, std::string_view search, bool ic) {
  const std::string t = folded(text, ic), s = folded(search, ic);
  uint64_t count = 0;
  for (size_t i = 0; i < t.size(); ++i) count += matches_at(t, s, i) ? 1 : 0;
  return count;
}

std::string plain_replace(std::string_view text, std::string_view search,
                          std::string_view replacement, bool ic) {
  const std::string t = folded(text, ic), s = folded(search, ic);
  std::string out;
  for (size_t i = 0; i < t.size();) {
    if (!s.empty() && matches_at(t, s, i)) {
      out += replacement;
      i += s.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string plain_field(std::string_view text, std::string_view sep, int64_t n, bool ic) {
  if (sep.empty()) return std::string(text);
  const std::string t = folded(text, ic), s = folded(sep, ic);
  std::vector<std::string> fields(1);
  for (size_t i = 0; i < t.size();) {
    if (matches_at(t, s, i)) {
      fields.emplace_back();
      i += s.size();
    } else {
      fields.back() += text[i++];  // the field keeps the original bytes
    }
  }
  if (n < 1) n = 1;
  return static_cast<size_t>(n) <= fields.size() ? fields[static_cast<size_t>(n) - 1] : "";
}

// Every text of length 0 to `longest` over `alphabet`.
std::vector<std::string> all_texts(std::string_view alphabet, size_t longest) {
  std::vector<std::string> texts{""};
  for (size_t begin = 0, length = 1; length <= longest; ++length) {
    const size_t end = texts.size();
    for (size_t i = begin; i < end; ++i)
      for (char c : alphabet) texts.push_back(texts[i] + c);
    begin = end;
  }
  return texts;
}

// Records a disagreement between the searcher and the plain scan.
template <typename T>
void check(int& failures, const T& got, const T& want, const std::string& what) {
  if (got == want) return;
  ++failures;
  ADD_FAILURE() << what << ": got " << ::testing::PrintToString(got) << ", expected "
                << ::testing::PrintToString(want);
}

// Compares every search function with the plain scan for every pair of a
// text of `texts` and a search text of `searches`.
void agree_with_plain_scan(const std::vector<std::string>& texts,
                           const std::vector<std::string>& searches,
                           std::initializer_list<bool> case_modes) {
  int failures = 0;
  for (bool ic : case_modes) {
    for (const std::string& s : searches) {
      for (const std::string& t : texts) {
        const std::string what = "'" + t + "' '" + s + "' ic=" + (ic ? "1" : "0");
        for (int64_t n = 0; n <= 3; ++n) {
          const std::string at = what + " n=" + std::to_string(n);
          check(failures, find_occurrence(t, s, n, ic), plain_find(t, s, n, ic), "find " + at);
          check(failures, std::string(field_of(t, s, n, ic)), plain_field(t, s, n, ic),
                "field " + at);
        }
        check(failures, count_occurrences(t, s, ic), plain_count(t, s, ic), "count " + what);
        check(failures, replace_all(t, s, "<x>", ic, 1000).text,
              plain_replace(t, s, "<x>", ic), "replace " + what);
        ASSERT_LT(failures, 10) << "stopping after 10 disagreements";
      }
    }
  }
}

// Case variants: a and A are one letter when case is ignored.
TEST(TextSearch, AgreesWithPlainScanWithCaseVariants) {
  agree_with_plain_scan(all_texts("abA", 5), all_texts("abA", 3), {false, true});
}

// Longer repeats of two letters, where the failure table has deep borders.
TEST(TextSearch, AgreesWithPlainScanOnLongerRepeats) {
  agree_with_plain_scan(all_texts("ab", 8), all_texts("ab", 4), {false});
}

TEST(TextSearch, FindContinuesFromAnyStart) {
  const PatternSearcher searcher("aab", false);
  struct Step { size_t from, expected; };
  const Step steps[] = {{0, 1}, {1, 1}, {2, 5}, {5, 5}, {6, std::string_view::npos},
                        {100, std::string_view::npos}};
  for (const Step& step : steps)
    EXPECT_EQ(searcher.find("aaabaaab", step.from), step.expected) << "from " << step.from;
}

TEST(TextReplace, RefusesResultsOverTheLimit) {
  struct Case { const char* id; size_t limit; bool too_large; };
  const Case cases[] = {{"exact", 8, false}, {"one-short", 7, true}, {"zero", 0, true}};
  for (const Case& c : cases) {
    const ReplaceResult result = replace_all("aaaa", "a", "bb", false, c.limit);
    EXPECT_EQ(result.too_large, c.too_large) << c.id;
    EXPECT_EQ(result.text, c.too_large ? "" : "bbbbbbbb") << c.id;
  }
  // The bytes kept without replacement count as well.
  EXPECT_TRUE(replace_all("xxxxa", "a", "", false, 3).too_large);
  EXPECT_EQ(replace_all("xxxxa", "a", "", false, 4).text, "xxxx");
}

TEST(TextPart, StartAndCountRules) {
  struct Case { int64_t start, count; const char* expected; };
  const Case cases[] = {
      {0, 3, "def"},      {2, 100, "bcdef"},  {2, -4, "b"},    {0, 100, "abcdef"},
      {-3, 2, "ef"},      {7, 1, ""},         {100, 2, ""},    {3, 0, ""},
      {1, 6, "abcdef"},   {6, 1, "f"},        {0, 0, ""},      {0, -1, "f"},
      {INT32_MAX, INT32_MAX, ""},             {INT32_MIN, INT32_MAX, "abcdef"},
      {1, INT32_MAX, "abcdef"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(part_of("abcdef", c.start, c.count), c.expected)
        << "start " << c.start << " count " << c.count;
}

TEST(TextBytes, ByteAtAndCodes) {
  EXPECT_EQ(byte_at("abc", 1), 'a');
  EXPECT_EQ(byte_at("abc", 3), 'c');
  EXPECT_FALSE(byte_at("abc", 0).has_value());
  EXPECT_FALSE(byte_at("abc", 4).has_value());
  EXPECT_FALSE(byte_at("", 1).has_value());
  EXPECT_FALSE(byte_at("abc", INT64_MIN).has_value());
  EXPECT_EQ(text_of_code(INT32_MIN), "");  // low byte 0
  EXPECT_EQ(text_of_code(-1), "\xFF");
  EXPECT_EQ(code_of_first("\xFF"), 255);
}

TEST(TextCase, LowerTouchesOnlyAsciiCapitalsAndThreeUmlauts) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  const std::string lowered = lower_with_umlauts(all);
  ASSERT_EQ(lowered.size(), all.size());
  for (size_t i = 0; i < all.size(); ++i) {
    const int c = static_cast<unsigned char>(all[i]);
    int expected = c;
    if (c >= 'A' && c <= 'Z') expected = c + 32;
    if (c == 0xC4 || c == 0xD6 || c == 0xDC) expected = c + 32;
    EXPECT_EQ(static_cast<unsigned char>(lowered[i]), expected) << "byte " << c;
  }
}

TEST(RandomDraw, UniformBelowSmallBounds) {
  // Chi-square over 120000 draws for each bound; with a fixed seed the
  // outcome is fixed, and the bounds stay far from the limits a biased or
  // stuck draw produces.
  for (uint32_t bound : {2u, 3u, 10u, 37u}) {
    uint64_t state = 0x1234 + bound;
    std::vector<uint64_t> hits(bound);
    const uint64_t draws = 120000;
    for (uint64_t i = 0; i < draws; ++i) {
      const uint32_t value = uniform_below(state, bound);
      ASSERT_LT(value, bound);
      ++hits[value];
    }
    const double expected = static_cast<double>(draws) / bound;
    double chi = 0;
    for (uint64_t h : hits) chi += (h - expected) * (h - expected) / expected;
    // 99.9% quantile of chi-square with bound - 1 degrees of freedom is
    // below 3 * bound + 15 for these bounds.
    EXPECT_LT(chi, 3.0 * bound + 15) << "bound " << bound;
  }
}

TEST(RandomDraw, FullRangeBound) {
  uint64_t state = 42;
  uint32_t largest = 0;
  uint32_t smallest = UINT32_MAX;
  for (int i = 0; i < 10000; ++i) {
    const uint32_t value = uniform_below(state, 2147483647u);
    ASSERT_LT(value, 2147483647u);
    largest = std::max(largest, value);
    smallest = std::min(smallest, value);
  }
  EXPECT_GT(largest, 2147483647u / 100 * 99);
  EXPECT_LT(smallest, 2147483647u / 100);
  uint64_t one = 7;
  for (int i = 0; i < 100; ++i) EXPECT_EQ(uniform_below(one, 1), 0u);
}

}  // namespace
}  // namespace kestrel
