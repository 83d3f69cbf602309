// The portable rules of the file commands: path chains, search patterns
// and depths, line ends, byte lists, attribute keywords, drive type codes
// and the FAT date and time fields.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "commands/file_rules.h"

namespace kestrel::file_rules {
namespace {

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += "<" + item + ">";
  return text;
}

struct ChainCase {
  const char* id;
  const char* path;
  const char* expected;  // each directory to create in <>
};

TEST(FileRules, DirectoryChain) {
  const ChainCase cases[] = {
      {"chain-1", "a\\b\\c", "<a><a\\b><a\\b\\c>"},
      {"chain-2", "\\dir\\sub", "<dir><dir\\sub>"},
      {"chain-3", "a\\\\b\\", "<a><a\\b>"},
      {"chain-4", "C:\\a\\b", "<C:><C:\\a><C:\\a\\b>"},
      {"chain-5", "a/b\\c", "<a/b><a/b\\c>"},
      {"chain-6", "", ""},
      {"chain-7", "\\\\\\", ""},
      {"chain-8", "one", "<one>"},
  };
  for (const ChainCase& c : cases) {
    const std::string actual = joined(directory_chain(c.path));
    EXPECT_EQ(actual, c.expected) << c.id << ": actual " << actual << ", expected " << c.expected;
  }
}

struct PatternCase {
  const char* id;
  const char* pattern;
  const char* start;
  const char* mask;
};

TEST(FileRules, SearchPattern) {
  const PatternCase cases[] = {
      {"pattern-1", "", "", "*"},
      {"pattern-2", "*.txt", "", "*.txt"},
      {"pattern-3", "sub\\*.txt", "sub\\", "*.txt"},
      {"pattern-4", "C:\\x\\y\\a?.t", "C:\\x\\y\\", "a?.t"},
      {"pattern-5", "\\*.txt", "", "\\*.txt"},  // a backslash at index 0 is no start directory
      {"pattern-6", "sub\\", "sub\\", ""},
      {"pattern-7", "a/b*.c", "", "a/b*.c"},
  };
  for (const PatternCase& c : cases) {
    const SearchPattern actual = split_search_pattern(c.pattern);
    EXPECT_EQ(actual.start_directory, c.start) << c.id << ": start " << actual.start_directory;
    EXPECT_EQ(actual.mask, c.mask) << c.id << ": mask " << actual.mask;
  }
}

TEST(FileRules, SearchLevels) {
  const struct {
    int32_t depth;
    int levels;
  } cases[] = {{0, 255}, {1, 0}, {2, 1}, {3, 2}, {-1, 0}, {-300, 0}, {256, 255}};
  for (const auto& c : cases) {
    EXPECT_EQ(search_levels(c.depth), c.levels)
        << "depth " << c.depth << ": actual " << search_levels(c.depth) << ", expected " << c.levels;
  }
}

TEST(FileRules, StripLineEnd) {
  const struct {
    const char* id;
    const char* line;
    const char* expected;
  } cases[] = {
      {"end-1", "a\r\n", "a"},   {"end-2", "a\n", "a"},        {"end-3", "a\r", "a"},
      {"end-4", "a\r\r\n", "a\r"}, {"end-5", "a\r\r", "a"},     {"end-6", "a", "a"},
      {"end-7", "\r\n", ""},      {"end-8", "", ""},            {"end-9", "a\n\r", "a\n"},
  };
  for (const auto& c : cases) {
    std::string line = c.line;
    strip_line_end(line);
    EXPECT_EQ(line, c.expected) << c.id;
  }
}

std::string byte_text(const std::vector<uint8_t>& bytes) {
  std::string text;
  for (uint8_t b : bytes) text += std::to_string(b) + ",";
  return text;
}

TEST(FileRules, ParseByteList) {
  const struct {
    const char* id;
    const char* list;
    const char* separator;
    const char* expected;
  } cases[] = {
      {"bytes-1", "65|66|67", "|", "65,66,67,"},
      {"bytes-2", "|1", "|", "0,1,"},            // leading separator: a zero byte first
      {"bytes-3", "1||2", "|", "1,0,2,"},        // empty item between: a zero byte
      {"bytes-4", "1|", "|", "1,"},              // trailing separator adds nothing
      {"bytes-5", "", "|", ""},
      {"bytes-6", "256|-1|321| 7x", "|", "0,255,65,7,"},  // low 8 bits, atoi rule
      {"bytes-7", "65||66", "||", "65,66,"},     // the whole separator text splits
      {"bytes-8", "65|66", "||", "65,"},         // a single bar is no separator here
      {"bytes-9", "abc", "|", "0,"},
  };
  for (const auto& c : cases) {
    const std::string actual = byte_text(parse_byte_list(c.list, c.separator));
    EXPECT_EQ(actual, c.expected) << c.id << ": actual " << actual << ", expected " << c.expected;
  }
}

TEST(FileRules, FormatByteList) {
  const std::vector<uint8_t> bytes{7, 255, 0, 65};
  EXPECT_EQ(format_byte_list(bytes, '|'), "007|255|000|065");
  EXPECT_EQ(format_byte_list(bytes, '\0'), "007255000065");
  EXPECT_EQ(format_byte_list({}, '|'), "");
  const std::vector<uint8_t> one{9};
  EXPECT_EQ(format_byte_list(one, ','), "009");
}

TEST(FileRules, AttributeKeywords) {
  const struct {
    const char* text;
    std::optional<uint32_t> bit;
  } cases[] = {
      {"NORMAL", 0x80},   {"0", 0x80},          {"archive", 0x20}, {"1", 0x20},
      {"ReadOnly", 0x01}, {"2", 0x01},          {"COMPRESSED", 0x800}, {"3", 0x800},
      {"directory", 0x10}, {"4", 0x10},         {" \thidden  ", 0x02}, {" 5 ", 0x02},
      {"SYSTEM", 0x04},   {"6", 0x04},          {"OFFLINE", std::nullopt},
      {"", std::nullopt}, {"7", std::nullopt},  {"05", std::nullopt},
      {"READ ONLY", std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<uint32_t> actual = attribute_bit(c.text);
    EXPECT_EQ(actual, c.bit) << "'" << c.text << "': actual " << actual.value_or(0xFFFFFFFF)
                             << ", expected " << c.bit.value_or(0xFFFFFFFF);
  }
}

TEST(FileRules, AttributesAfterSet) {
  const struct {
    const char* id;
    uint32_t current;
    uint32_t bit;
    std::optional<uint32_t> expected;
  } cases[] = {
      {"set-1", 0x80, 0x01, 0x01},          // NORMAL is dropped when a bit is added
      {"set-2", 0x20, 0x01, 0x21},          // other attributes kept
      {"set-3", 0x21, 0x01, std::nullopt},  // already present: no call
      {"set-4", 0x80, 0x80, std::nullopt},
      {"set-5", 0x27, 0x80, 0x80},          // NORMAL clears everything at once
      {"set-6", 0x10, 0x02, 0x12},
  };
  for (const auto& c : cases) {
    const std::optional<uint32_t> actual = attributes_with(c.current, c.bit);
    EXPECT_EQ(actual, c.expected) << c.id << ": actual " << actual.value_or(0xFFFFFFFF)
                                  << ", expected " << c.expected.value_or(0xFFFFFFFF);
  }
}

TEST(FileRules, DriveTypeCodes) {
  const char* expected[] = {"-1", "0", "1", "2", "3", "4", "5", "-1", "-1"};
  for (unsigned type = 0; type < std::size(expected); ++type) {
    EXPECT_EQ(drive_type_code(type), expected[type]) << "type " << type;
  }
  EXPECT_EQ(drive_type_code(0xFFFFFFFFu), "-1");
}

std::string stamp_text(const FatStamp& s) {
  return std::to_string(s.year) + "-" + std::to_string(s.month) + "-" + std::to_string(s.day) +
         " " + std::to_string(s.hour) + ":" + std::to_string(s.minute) + ":" +
         std::to_string(s.second);
}

TEST(FileRules, FatWordsRoundTrip) {
  const FatStamp stamps[] = {
      {1980, 1, 1, 0, 0, 0}, {2107, 12, 31, 23, 59, 58}, {2026, 3, 15, 9, 5, 6}, {2000, 2, 29, 24, 0, 0}};
  for (const FatStamp& s : stamps) {
    const FatStamp back = fat_from_dos(fat_date_word(s), fat_time_word(s));
    EXPECT_EQ(stamp_text(back), stamp_text(s));
  }
  // 15 March 2026, 09:05:06 packed by hand.
  const uint16_t date = (46 << 9) | (3 << 5) | 15;
  const uint16_t time = (9 << 11) | (5 << 5) | 3;
  EXPECT_EQ(stamp_text(fat_from_dos(date, time)), "2026-3-15 9:5:6");
}

TEST(FileRules, ApplyDateText) {
  const FatStamp base{2001, 6, 20, 10, 30, 40};
  const struct {
    const char* id;
    const char* text;
    const char* expected;
  } cases[] = {
      {"date-1", "03152026", "2026-3-15 10:30:40"},
      {"date-2", "0000", "2001-6-20 10:30:40"},      // month and day 0 out of range, no year
      {"date-3", "12312107", "2107-12-31 10:30:40"},
      {"date-4", "01011979", "2001-1-1 10:30:40"},   // year below 1980 kept
      {"date-5", "01012108", "2001-1-1 10:30:40"},   // year beyond the 7 bits kept, not wrapped
      {"date-6", "13", "2001-6-20 10:30:40"},
      {"date-7", "0515", "2001-5-15 10:30:40"},      // no year: kept
      {"date-8", " 3 4 1999", "1999-3-4 10:30:40"},  // blanks before each field skipped
      {"date-9", "x0101", "2001-6-20 10:30:40"},     // no digits: nothing read
      {"date-10", "1", "2001-1-20 10:30:40"},
      {"date-11", "1232", "2001-12-20 10:30:40"},    // day 32 out of range
      {"date-12", "", "2001-6-20 10:30:40"},
  };
  for (const auto& c : cases) {
    FatStamp s = base;
    apply_date_text(s, c.text);
    EXPECT_EQ(stamp_text(s), c.expected) << c.id << " '" << c.text << "'";
  }
}

TEST(FileRules, ApplyTimeText) {
  const FatStamp base{2001, 6, 20, 10, 30, 40};
  const struct {
    const char* id;
    const char* text;
    const char* expected;
  } cases[] = {
      {"time-1", "120000", "2001-6-20 12:0:0"},
      {"time-2", "090507", "2001-6-20 9:5:6"},   // seconds rounded down to even
      {"time-3", "2460", "2001-6-20 24:30:40"},  // hour 24 passes, minute 60 does not
      {"time-4", "-1", "2001-6-20 10:30:40"},
      {"time-5", "235959", "2001-6-20 23:59:58"},
      {"time-6", "25", "2001-6-20 10:30:40"},
      {"time-7", "0", "2001-6-20 0:30:40"},
  };
  for (const auto& c : cases) {
    FatStamp s = base;
    apply_time_text(s, c.text);
    EXPECT_EQ(stamp_text(s), c.expected) << c.id << " '" << c.text << "'";
  }
}

TEST(FileRules, ScanFixedWidth) {
  const struct {
    const char* id;
    const char* text;
    int count;
    std::vector<int> values;
  } cases[] = {
      {"scan-1", "-12345", 3, {-1, 23, 45}},  // the sign counts towards the width
      {"scan-2", "12-3", 2, {12, -3}},
      {"scan-3", "1 2 3", 3, {1, 2, 3}},
      {"scan-4", "+-1", 0, {}},
      {"scan-5", "12ab", 1, {12}},
      {"scan-6", "\t\n7", 1, {7}},
  };
  const int widths[] = {2, 2, 4};
  for (const auto& c : cases) {
    int values[3] = {};
    const int count = scan_fixed_width(c.text, widths, values);
    EXPECT_EQ(count, c.count) << c.id;
    for (int i = 0; i < c.count && i < count; ++i) {
      EXPECT_EQ(values[i], c.values[static_cast<size_t>(i)]) << c.id << " field " << i;
    }
  }
}

TEST(FileRules, FormatStamps) {
  const FatStamp s{2026, 3, 15, 9, 5, 6};
  EXPECT_EQ(format_fat_date(s), "03152026");
  EXPECT_EQ(format_fat_time(s), "090506");
  const FatStamp t{1980, 12, 1, 0, 0, 0};
  EXPECT_EQ(format_fat_date(t), "12011980");
  EXPECT_EQ(format_fat_time(t), "000000");
}

}  // namespace
}  // namespace kestrel::file_rules
