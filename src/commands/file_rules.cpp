// The portable rules of the file commands; see file_rules.h.
#include "commands/file_rules.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/text.h"
#include "varsys/list_split.h"

namespace kestrel::file_rules {

namespace {

struct AttributeName {
  const char* keyword;
  const char* digit;
  uint32_t bit;
};

constexpr AttributeName kAttributeNames[] = {
    {"NORMAL", "0", kAttributeNormal},
    {"ARCHIVE", "1", 0x20},
    {"READONLY", "2", 0x01},
    {"COMPRESSED", "3", 0x800},
    {"DIRECTORY", "4", 0x10},
    {"HIDDEN", "5", 0x02},
    {"SYSTEM", "6", 0x04},
};

// Drive type codes by GetDriveTypeA value 0 (unknown) to 6 (RAM disk).
constexpr const char* kDriveTypeCodes[] = {"-1", "0", "1", "2", "3", "4", "5"};

bool is_scan_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Two-digit text of a field, as "%02d" writes it.
std::string two_digits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

}  // namespace

std::vector<std::string> directory_chain(std::string_view path) {
  std::vector<std::string> chain;
  std::string built;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!built.empty()) built += '\\';
      built.append(path.substr(start, end - start));
      chain.push_back(built);
    }
    start = end + 1;
  }
  return chain;
}

SearchPattern split_search_pattern(std::string_view pattern) {
  SearchPattern result;
  if (pattern.empty()) {
    result.mask = "*";
    return result;
  }
  const size_t last = pattern.rfind('\\');
  if (last == std::string_view::npos || last == 0) {
    result.mask = std::string(pattern);
    return result;
  }
  result.start_directory = std::string(pattern.substr(0, last + 1));
  result.mask = std::string(pattern.substr(last + 1));
  return result;
}

int search_levels(int32_t depth) {
  if (depth == 0) return 255;
  if (depth < 1) return 0;
  return depth - 1;
}

void strip_line_end(std::string& line) {
  if (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

std::vector<uint8_t> parse_byte_list(std::string_view list, std::string_view separator) {
  std::vector<uint8_t> bytes;
  ListSplitter splitter(list, separator);
  std::string_view item;
  while (splitter.next(item)) {
    bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(text_to_int(item)) & 0xFFu));
  }
  return bytes;
}

std::string format_byte_list(std::span<const uint8_t> bytes, char separator) {
  std::string list;
  list.reserve(bytes.size() * 4);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0 && separator != '\0') list += separator;
    const unsigned value = bytes[i];
    list += static_cast<char>('0' + value / 100);
    list += static_cast<char>('0' + value / 10 % 10);
    list += static_cast<char>('0' + value % 10);
  }
  return list;
}

std::optional<uint32_t> attribute_bit(std::string_view keyword_text) {
  const std::string word = keyword(keyword_text);
  for (const AttributeName& name : kAttributeNames) {
    if (word == name.keyword || word == name.digit) return name.bit;
  }
  return std::nullopt;
}

std::optional<uint32_t> attributes_with(uint32_t current, uint32_t bit) {
  if (bit == kAttributeNormal) {
    if (current == kAttributeNormal) return std::nullopt;
    return kAttributeNormal;
  }
  if ((current & bit) != 0) return std::nullopt;
  return (current & ~kAttributeNormal) | bit;
}

std::string drive_type_code(unsigned system_type) {
  if (system_type < std::size(kDriveTypeCodes)) return kDriveTypeCodes[system_type];
  return "-1";
}

FatStamp fat_from_dos(uint16_t date, uint16_t time) {
  FatStamp stamp;
  stamp.day = date & 0x1F;
  stamp.month = (date >> 5) & 0x0F;
  stamp.year = 1980 + ((date >> 9) & 0x7F);
  stamp.second = (time & 0x1F) * 2;
  stamp.minute = (time >> 5) & 0x3F;
  stamp.hour = (time >> 11) & 0x1F;
  return stamp;
}

uint16_t fat_date_word(const FatStamp& stamp) {
  const unsigned word = (static_cast<unsigned>(stamp.year - 1980) & 0x7Fu) << 9 |
                        (static_cast<unsigned>(stamp.month) & 0x0Fu) << 5 |
                        (static_cast<unsigned>(stamp.day) & 0x1Fu);
  return static_cast<uint16_t>(word);
}

uint16_t fat_time_word(const FatStamp& stamp) {
  const unsigned word = (static_cast<unsigned>(stamp.hour) & 0x1Fu) << 11 |
                        (static_cast<unsigned>(stamp.minute) & 0x3Fu) << 5 |
                        (static_cast<unsigned>(stamp.second / 2) & 0x1Fu);
  return static_cast<uint16_t>(word);
}

int scan_fixed_width(std::string_view text, std::span<const int> widths,
                     std::span<int> values) {
  size_t pos = 0;
  int count = 0;
  for (size_t field = 0; field < widths.size() && field < values.size(); ++field) {
    while (pos < text.size() && is_scan_space(text[pos])) ++pos;
    const size_t end = std::min(text.size(), pos + static_cast<size_t>(widths[field]));
    bool negative = false;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
      negative = text[pos] == '-';
      ++pos;
    }
    if (pos >= end || !is_digit(text[pos])) break;
    int value = 0;
    while (pos < end && is_digit(text[pos])) value = value * 10 + (text[pos++] - '0');
    values[field] = negative ? -value : value;
    ++count;
  }
  return count;
}

void apply_date_text(FatStamp& stamp, std::string_view text) {
  constexpr std::array<int, 3> kWidths{2, 2, 4};
  std::array<int, 3> fields{};
  const int count = scan_fixed_width(text, kWidths, fields);
  if (count >= 1 && fields[0] >= 1 && fields[0] <= 12) stamp.month = fields[0];
  if (count >= 2 && fields[1] >= 1 && fields[1] <= 31) stamp.day = fields[1];
  // Years the 7-bit field cannot hold are left alone rather than wrapped
  // into a different year.
  if (count >= 3 && fields[2] >= 1980 && fields[2] <= 2107) stamp.year = fields[2];
}

void apply_time_text(FatStamp& stamp, std::string_view text) {
  constexpr std::array<int, 3> kWidths{2, 2, 2};
  std::array<int, 3> fields{};
  const int count = scan_fixed_width(text, kWidths, fields);
  if (count >= 1 && fields[0] >= 0 && fields[0] <= 24) stamp.hour = fields[0];
  if (count >= 2 && fields[1] >= 0 && fields[1] <= 59) stamp.minute = fields[1];
  if (count >= 3 && fields[2] >= 0 && fields[2] <= 59) stamp.second = fields[2] / 2 * 2;
}

std::string format_fat_date(const FatStamp& stamp) {
  char year[16];
  std::snprintf(year, sizeof year, "%4d", stamp.year);
  return two_digits(stamp.month) + two_digits(stamp.day) + year;
}

std::string format_fat_time(const FatStamp& stamp) {
  return two_digits(stamp.hour) + two_digits(stamp.minute) + two_digits(stamp.second);
}

}  // namespace kestrel::file_rules
