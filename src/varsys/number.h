// The language's arithmetic: texts converted to double precision, results
// written with six decimals and trailing zeros removed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

enum class ArithmeticOp { add = 0, subtract = 1, multiply = 2, divide = 3, remainder = 4 };

// Reads a plain decimal integer: an optional minus and 1 to 15 digits,
// nothing else. Such a text converts to exactly this number by the
// text-to-double rule as well, so integer work on it gives the results of
// the double arithmetic. False (value untouched) for any other text.
bool plain_integer(std::string_view text, int64_t& value);

// Writes `value` as "%lf" does, then removes trailing zeros and a trailing
// decimal point. A zero written with a minus sign is written "0".
std::string format_number(double value);

// Computes `left op right` by the language's rules (a zero operand of a
// division or remainder gives 0) and returns the formatted result.
std::string compute_arithmetic(std::string_view left, std::string_view right,
                               ArithmeticOp op);
// The same with the result in place of the left side.
void compute_arithmetic_in_place(std::string& left, std::string_view right, ArithmeticOp op);

}  // namespace kestrel
