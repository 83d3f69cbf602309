#include "core/text.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>
#include <limits>

namespace kestrel {

namespace {

// White space as the C library's conversions skip it.
bool is_c_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view trim_blanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && is_blank(text[begin])) ++begin;
  while (end > begin && is_blank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void upper_ascii_in_place(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

std::string upper_ascii(std::string_view text) {
  std::string result(text);
  upper_ascii_in_place(result);
  return result;
}

std::string lower_ascii(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

std::string keyword(std::string_view text) {
  return upper_ascii(trim_blanks(text));
}

int64_t text_to_int64(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && is_c_space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate as a negative number so that the minimum fits.
  constexpr int64_t lowest = std::numeric_limits<int64_t>::min();
  int64_t value = 0;
  bool clamped = false;
  for (; i < text.size() && is_digit(text[i]); ++i) {
    const int digit = text[i] - '0';
    if (value < (lowest + digit) / 10) {
      clamped = true;
      continue;
    }
    value = value * 10 - digit;
  }
  if (clamped) return negative ? lowest : std::numeric_limits<int64_t>::max();
  if (negative) return value;
  return value == lowest ? std::numeric_limits<int64_t>::max() : -value;
}

int32_t text_to_int(std::string_view text) {
  const int64_t value = text_to_int64(text);
  if (value > std::numeric_limits<int32_t>::max())
    return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min())
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

double text_to_double(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && is_c_space(text[i])) ++i;
  const size_t start = i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const size_t number_start = i;
  size_t digits = 0;
  while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  // An exponent counts only when at least one digit follows it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && is_digit(text[j])) {
      while (j < text.size() && is_digit(text[j])) ++j;
      i = j;
    }
  }
  (void)start;
  // The slice is a checked decimal number; strtod converts it correctly
  // rounded (overflow gives infinity, underflow zero). It is used instead of
  // std::from_chars, whose floating-point part would add some 40 KB to the
  // runtime executable. Short numbers are converted from a stack copy.
  const char* first = text.data() + number_start;
  const size_t length = i - number_start;
  char buffer[64];
  double value;
  if (length < sizeof buffer) {
    std::memcpy(buffer, first, length);
    buffer[length] = '\0';
    value = std::strtod(buffer, nullptr);
  } else {
    const std::string copy(first, length);
    value = std::strtod(copy.c_str(), nullptr);
  }
  return negative ? -value : value;
}

std::string int_text(int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace kestrel
