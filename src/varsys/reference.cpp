#include "varsys/reference.h"

#include "core/runtime.h"
#include "core/text.h"
#include "varsys/store.h"

namespace kestrel {

namespace {

// Deepest nesting of index variables inside index variables; deeper
// references read as missing instead of exhausting the stack.
constexpr int kMaxReferenceDepth = 256;

bool is_operator(char c) {
  return c == '*' || c == '+' || c == '-' || c == '/' || c == '~';
}

// Combines two indices the way the index language does, on 32-bit values
// with wrap-around; a zero divisor leaves the left side unchanged.
int32_t combine(int32_t left, int32_t right, char op) {
  const int64_t a = left;
  const int64_t b = right;
  int64_t r = a;
  switch (op) {
    case '+': r = a + b; break;
    case '-': r = a - b; break;
    case '*': r = a * b; break;
    case '/': r = b == 0 ? a : a / b; break;
    case '~': r = b == 0 ? a : a % b; break;
    default: break;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(r));
}

class ReferenceScanner {
 public:
  ReferenceScanner(Runtime& rt, ParsedReference& out) : rt_(rt), out_(out) {}

  void scan(std::string_view text) {
    for (char c : text) step(c);
    finish();
  }

 private:
  void add_index(int32_t value) {
    if (pending_ && count_ > 0) {
      raw_[count_ - 1] = combine(raw_[count_ - 1], value, pending_);
    } else if (count_ < kMaxIndices) {
      raw_[count_++] = value;
    } else {
      out_.too_many = true;
    }
    pending_ = 0;
  }

  void end_literal() {
    add_index(text_to_int(scratch_));
    scratch_.clear();
    in_literal_ = false;
  }

  void end_nested_reference() {
    std::string value;
    bool found = false;
    if (rt_.reference_depth < kMaxReferenceDepth) {
      ++rt_.reference_depth;
      found = get_variable(rt_, scratch_, value, rt_.area);
      --rt_.reference_depth;
    }
    if (!pending_) {
      if (found) add_index(text_to_int(value));
    } else {
      if (found && !value.empty()) add_index(text_to_int(value));
      pending_ = 0;
    }
    scratch_.clear();
    depth_ = 0;
  }

  void step(char c) {
    if (c == ' ' || c == ',' || c == ':') return;
    if (c == '\'') {
      if (depth_ == 0) {
        if (in_literal_) {
          end_literal();
        } else {
          in_literal_ = true;
          scratch_.clear();
        }
      } else {
        scratch_ += c;
      }
      return;
    }
    if (is_operator(c)) {
      if (depth_ == 0 && !in_literal_)
        pending_ = c;
      else
        scratch_ += c;
      return;
    }
    if (c == '[') {
      if (in_literal_) return;
      ++depth_;
      if (depth_ >= 2) scratch_ += c;
      return;
    }
    if (c == ']') {
      if (depth_ == 1 && !in_literal_) {
        end_nested_reference();
      } else if (depth_ >= 2) {
        scratch_ += c;
        --depth_;
      }
      return;
    }
    if (depth_ == 0 && !in_literal_)
      out_.name += c;
    else
      scratch_ += c;
  }

  void finish() {
    out_.count = count_;
    for (int i = 0; i < count_; ++i) {
      const int64_t index = int64_t{raw_[i]} - 1;
      out_.index[i] = index < 0 ? -1 : static_cast<int32_t>(index);
    }
  }

  Runtime& rt_;
  ParsedReference& out_;
  int depth_ = 0;
  bool in_literal_ = false;
  char pending_ = 0;
  std::string scratch_;
  int count_ = 0;
  int32_t raw_[kMaxIndices] = {};
};

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

void parse_reference(Runtime& rt, std::string_view text, ParsedReference& out) {
  out.name.clear();
  out.count = 0;
  out.too_many = false;
  // The common case, a plain variable number, needs no scan.
  if (all_digits(text)) {
    out.name.assign(text);
    return;
  }
  ReferenceScanner(rt, out).scan(text);
}

}  // namespace kestrel
