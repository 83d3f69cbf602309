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

// Reads a plain decimal integer (optional minus, digits only, no more than
// 15 digits). Such texts convert to the same double as text_to_double, so
// integer arithmetic on them gives exactly the formatted double result.
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

}  // namespace

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

std::string compute_arithmetic(std::string_view left, std::string_view right,
                               ArithmeticOp op) {
  int64_t a = 0;
  int64_t b = 0;
  if (op != ArithmeticOp::divide && plain_integer(left, a) &&
      plain_integer(right, b)) {
    switch (op) {
      case ArithmeticOp::add: return int_text(a + b);
      case ArithmeticOp::subtract: return int_text(a - b);
      case ArithmeticOp::multiply: {
        int64_t product = 0;
        if (!__builtin_mul_overflow(a, b, &product) && product < kExactLimit &&
            product > -kExactLimit)
          return int_text(product);
        break;
      }
      case ArithmeticOp::remainder:
        if (a == 0 || b == 0) return "0";
        return int_text(a % b);
      default: break;
    }
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
