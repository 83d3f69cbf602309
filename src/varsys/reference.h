// Splitting a variable reference such as 107'3'*'4' or 112[113] into the
// variable name and its indices, evaluating the integer index language.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

struct Runtime;

inline constexpr int kMaxIndices = 10;

struct ParsedReference {
  std::string name;
  int count = 0;                    // number of indices, 0 to kMaxIndices
  int32_t index[kMaxIndices] = {};  // 0-based; -1 for a script index <= 0
  bool too_many = false;            // more than kMaxIndices were given
};

// Splits `text` into name and indices. Index variables are read through the
// store in the area of the running code. Never fails: malformed input ends
// up in the name or has no effect. The whole text "-1" must be handled by
// the caller before parsing.
void parse_reference(Runtime& rt, std::string_view text, ParsedReference& out);

}  // namespace kestrel
