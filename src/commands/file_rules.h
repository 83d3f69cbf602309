// The rules of the file commands that need no operating system: splitting a
// path into the directories to create, the search pattern and depth of the
// file search, line ends, byte lists, attribute keywords, drive type codes
// and the fields of FAT-precision file times.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::file_rules {

// R012: the paths to create in order, one per non-empty component of
// `path` split at backslashes: "\a\\b\" gives "a" and "a\b". Empty
// components are dropped, so the result never starts with a backslash.
std::vector<std::string> directory_chain(std::string_view path);

// R034: the start directory (up to and including the last backslash at
// index 1 or later; empty when there is none) and the name mask. An empty
// pattern searches for "*".
struct SearchPattern {
  std::string start_directory;
  std::string mask;
};
SearchPattern split_search_pattern(std::string_view pattern);

// R034: how many directory levels to descend below the start directory
// for a depth operand: 0 means 255 levels, 1 or a negative depth none.
int search_levels(int32_t depth);

// Removes one trailing line feed or carriage return and then one more
// carriage return, so "a\r\n" and "a\n" both become "a".
void strip_line_end(std::string& line);

// R050: the bytes of a list split at the whole `separator` text, each item
// read as an integer and cut to its low 8 bits. An empty item writes 0, a
// separator at the very end adds nothing, an empty list gives no bytes.
std::vector<uint8_t> parse_byte_list(std::string_view list, std::string_view separator);

// R051: the bytes as three-digit decimals ("007") joined with `separator`
// (none between them when it is 0), nothing after the last.
std::string format_byte_list(std::span<const uint8_t> bytes, char separator);

// R039/R040: the attribute bit named by a keyword or its digit (trimmed,
// any letter case), or none for an unrecognised text.
inline constexpr uint32_t kAttributeNormal = 0x80;
std::optional<uint32_t> attribute_bit(std::string_view keyword_text);

// R040: the attributes to set so that `current` gains `bit`, or none when
// nothing needs to change. NORMAL replaces every other attribute; any other
// bit is added to the present ones (without NORMAL, which is valid only
// on its own).
std::optional<uint32_t> attributes_with(uint32_t current, uint32_t bit);

// R043: the language's drive type code for a GetDriveTypeA value.
std::string drive_type_code(unsigned system_type);

// A last-write time with FAT precision: years 1980 to 2107, seconds even.
struct FatStamp {
  int year = 1980;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Unpacks and packs the FAT date (day 5 bits, month 4, year-1980 7) and
// time (seconds/2 5 bits, minute 6, hour 5) words.
FatStamp fat_from_dos(uint16_t date, uint16_t time);
uint16_t fat_date_word(const FatStamp& stamp);
uint16_t fat_time_word(const FatStamp& stamp);

// R047: month, day and year read from `text` as by "%2d%2d%4d"; each field
// the text supplies and that lies in range (month 1-12, day 1-31, year
// 1980-2107) replaces the stamp's field, the others stay.
void apply_date_text(FatStamp& stamp, std::string_view text);
// R049: hour, minute and second read as by "%2d%2d%2d"; hour 0-24,
// minute 0-59, second 0-59 (rounded down to even) replace the fields.
void apply_time_text(FatStamp& stamp, std::string_view text);

// R046/R048: "MMDDYYYY" and "HHMMSS".
std::string format_fat_date(const FatStamp& stamp);
std::string format_fat_time(const FatStamp& stamp);

// Reads up to three integers from `text` as the C library's scanf does
// with "%Nd" conversions of the given widths: white space is skipped before
// each field, a sign counts towards the width, and the first field without
// a digit ends the scan. Returns how many fields were read.
int scan_fixed_width(std::string_view text, std::span<const int> widths,
                     std::span<int> values);

}  // namespace kestrel::file_rules
