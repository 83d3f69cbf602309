// Splitting list texts: at the whole separator text (the list commands'
// rule) and at every separator character (the tokenizer rule).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "varsys/list_split.h"

namespace kestrel {
namespace {

std::string show(const std::vector<std::string>& items) {
  std::string text = "{";
  for (size_t i = 0; i < items.size(); ++i) text += (i ? ", \"" : "\"") + items[i] + "\"";
  return text + "}";
}

struct SplitCase {
  const char* id;
  const char* text;
  const char* separator;
  std::vector<std::string> expected;
};

const SplitCase kListCases[] = {
    {"list-1.1", "a||b", "|", {"a", "", "b"}},
    {"list-1.2", "|a", "|", {"", "a"}},
    {"list-1.3", "a|", "|", {"a"}},
    {"list-1.4", "", "|", {}},
    {"list-1.5", "|", "|", {""}},
    {"list-1.6", "||", "|", {"", ""}},
    {"list-1.7", "abc", "|", {"abc"}},
    {"list-1.8", "a|b|c", "|", {"a", "b", "c"}},
    // A separator of several characters counts only as a whole.
    {"list-2.1", "a<>b<c>d", "<>", {"a", "b<c>d"}},
    {"list-2.2", "a<>b<>", "<>", {"a", "b"}},
    {"list-2.3", "aaa", "aa", {"", "a"}},
    {"list-2.4", "x, y,z", ", ", {"x", "y,z"}},
    {"list-2.5", "a|b", "||", {"a|b"}},
    // An empty separator: the whole text is one item (and the split ends).
    {"list-3.1", "a|b", "", {"a|b"}},
    {"list-3.2", "", "", {}},
};

class ListSplitTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ListSplitTable, SplitsAtTheWholeSeparator) {
  const SplitCase& c = GetParam();
  const std::vector<std::string> items = split_list(c.text, c.separator);
  EXPECT_EQ(items, c.expected) << c.id << ": got " << show(items) << ", expected "
                               << show(c.expected);
}

INSTANTIATE_TEST_SUITE_P(Items, ListSplitTable, ::testing::ValuesIn(kListCases));

// The splitter hands out one item per call and keeps reporting the end.
TEST(ListSplitter, StaysAtTheEnd) {
  ListSplitter splitter("a|b", "|");
  std::string_view item;
  ASSERT_TRUE(splitter.next(item));
  EXPECT_EQ(item, "a");
  ASSERT_TRUE(splitter.next(item));
  EXPECT_EQ(item, "b");
  EXPECT_FALSE(splitter.next(item));
  EXPECT_FALSE(splitter.next(item));
}

const SplitCase kTokenCases[] = {
    {"token-1.1", "a||b", "|", {"a", "b"}},
    {"token-1.2", "|a|", "|", {"a"}},
    {"token-1.3", "a,b;c", ",;", {"a", "b", "c"}},
    {"token-1.4", ",;,", ",;", {}},
    {"token-1.5", "abc", "", {"abc"}},
};

class TokenSplitTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TokenSplitTable, SplitsAtEveryDelimiter) {
  const SplitCase& c = GetParam();
  const std::vector<std::string> items = split_tokens(c.text, c.separator);
  EXPECT_EQ(items, c.expected) << c.id << ": got " << show(items) << ", expected "
                               << show(c.expected);
}

INSTANTIATE_TEST_SUITE_P(Tokens, TokenSplitTable, ::testing::ValuesIn(kTokenCases));

}  // namespace
}  // namespace kestrel
