#include "varsys/number.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/text.h"

namespace kestrel {

namespace {

// Integers in this range convert to double and back exactly.
constexpr int64_t kExactLimit = int64_t{1} << 53;

}  // namespace

bool plain_integer(std::string_view text, int64_t& value) {
  size_t i = 0;
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    i = 1;
  }
  if (i == text.size() || text.size() - i > 15) return false;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  value = negative ? -v : v;
  return true;
}

std::string format_number(double value) {
  if (value == 0.0) return "0";  // also a negative zero
  char small[64];
  int length = std::snprintf(small, sizeof small, "%lf", value);
  std::string text;
  if (length < 0) return "0";
  if (static_cast<size_t>(length) < sizeof small) {
    text.assign(small, static_cast<size_t>(length));
  } else {
    std::vector<char> big(static_cast<size_t>(length) + 1);
    std::snprintf(big.data(), big.size(), "%lf", value);
    text.assign(big.data(), static_cast<size_t>(length));
  }
  // Remove trailing zeros, and the decimal point if it is reached.
  size_t end = text.size();
  while (end > 0 && text[end - 1] == '0') --end;
  if (end > 0 && text[end - 1] == '.') --end;
  text.resize(end);
  if (text == "-0") return "0";
  return text;
}

namespace {

// The integer cases of the arithmetic: both sides plain integers and a
// result that the double arithmetic gives exactly (division always goes
// through the doubles). False when the general rule must be used.
bool integer_arithmetic(std::string_view left, std::string_view right, ArithmeticOp op,
                        int64_t& result) {
  int64_t a = 0;
  int64_t b = 0;
  if (op == ArithmeticOp::divide || !plain_integer(left, a) || !plain_integer(right, b))
    return false;
  switch (op) {
    case ArithmeticOp::add: result = a + b; return true;
    case ArithmeticOp::subtract: result = a - b; return true;
    case ArithmeticOp::multiply:
      return !__builtin_mul_overflow(a, b, &result) && result < kExactLimit &&
             result > -kExactLimit;
    case ArithmeticOp::remainder:
      result = (a == 0 || b == 0) ? 0 : a % b;
      return true;
    default: return false;
  }
}

// Writes `value` in decimal into `out`, reusing its storage.
void write_integer(std::string& out, int64_t value) {
  char buffer[24];
  char* end = buffer + sizeof buffer;
  char* p = end;
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (value < 0) *--p = '-';
  out.assign(p, static_cast<size_t>(end - p));
}

}  // namespace

void compute_arithmetic_in_place(std::string& left, std::string_view right, ArithmeticOp op) {
  int64_t result = 0;
  if (integer_arithmetic(left, right, op, result))
    write_integer(left, result);
  else
    left = compute_arithmetic(left, right, op);
}

std::string compute_arithmetic(std::string_view left, std::string_view right,
                               ArithmeticOp op) {
  int64_t result = 0;
  if (integer_arithmetic(left, right, op, result)) {
    std::string text;
    write_integer(text, result);
    return text;
  }
  const double x = text_to_double(left);
  const double y = text_to_double(right);
  switch (op) {
    case ArithmeticOp::add: return format_number(x + y);
    case ArithmeticOp::subtract: return format_number(x - y);
    case ArithmeticOp::multiply: return format_number(x * y);
    case ArithmeticOp::divide:
      if (x == 0.0 || y == 0.0) return "0";
      return format_number(x / y);
    case ArithmeticOp::remainder: {
      if (x == 0.0 || y == 0.0) return "0";
      // Both sides truncated toward zero; a right side that truncates to 0
      // gives 0. Values beyond 64 bits saturate.
      auto truncate = [](double v) -> int64_t {
        if (std::isnan(v)) return 0;
        if (v >= 9.2e18) return INT64_MAX;
        if (v <= -9.2e18) return INT64_MIN;
        return static_cast<int64_t>(v);
      };
      const int64_t i = truncate(x);
      const int64_t j = truncate(y);
      if (j == 0 || (j == -1 && i == INT64_MIN)) return "0";
      return int_text(i % j);
    }
  }
  return "0";
}

}  // namespace kestrel
