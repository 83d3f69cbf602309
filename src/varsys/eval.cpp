#include "varsys/eval.h"

#include <cstring>

#include "core/runtime.h"
#include "core/text.h"
#include "varsys/number.h"
#include "varsys/store.h"

namespace kestrel {

namespace {

// Deepest nesting of parentheses in one operand. Deeper input ends the
// operand as malformed (an empty value) instead of exhausting the stack.
constexpr int kMaxEvalDepth = 256;

bool read_concatenation(Runtime& rt, std::string& out);

// primary = literal | '(' operand ')' | '[' reference ']'
// Returns false when no primary starts here (the character stays unread).
bool read_primary(Runtime& rt, std::string& out) {
  Code& code = rt.code;
  const char c = code.peek_token_char();
  if (c == '\'') {
    code.read_char();
    code.read_to_delimiter('\'', &out);
    return true;
  }
  if (c == '(') {
    code.read_char();
    if (rt.eval_depth >= kMaxEvalDepth) {
      rt.eval_too_deep = true;  // the whole operand is malformed
      out.clear();
      return false;
    }
    ++rt.eval_depth;
    if (!read_concatenation(rt, out)) out.clear();
    --rt.eval_depth;
    if (code.peek_token_char() == ')') code.read_char();
    return true;
  }
  if (c == '[') {
    std::string reference;
    next_reference(rt, reference);
    get_variable(rt, reference, out, rt.area);
    return true;
  }
  out.clear();
  return false;
}

// term = primary { ('*' | '/' | '~') primary }
bool read_term(Runtime& rt, std::string& out) {
  if (!read_primary(rt, out)) return false;
  std::string right;
  for (;;) {
    const char c = rt.code.peek_token_char();
    ArithmeticOp op;
    if (c == '*')
      op = ArithmeticOp::multiply;
    else if (c == '/')
      op = ArithmeticOp::divide;
    else if (c == '~')
      op = ArithmeticOp::remainder;
    else
      return true;
    rt.code.read_char();
    const bool more = read_primary(rt, right);
    out = compute_arithmetic(out, right, op);
    if (!more) return true;
  }
}

// sum = term { ('+' | '-') term }
bool read_sum(Runtime& rt, std::string& out) {
  if (!read_term(rt, out)) return false;
  std::string right;
  for (;;) {
    const char c = rt.code.peek_token_char();
    if (c != '+' && c != '-') return true;
    rt.code.read_char();
    const bool more = read_term(rt, right);
    out = compute_arithmetic(out, right,
                             c == '+' ? ArithmeticOp::add : ArithmeticOp::subtract);
    if (!more) return true;
  }
}

// operand = sum { '#' sum }
bool read_concatenation(Runtime& rt, std::string& out) {
  if (!read_sum(rt, out)) return false;
  std::string right;
  while (rt.code.peek_token_char() == '#') {
    rt.code.read_char();
    const bool more = read_sum(rt, right);
    out += right;
    if (!more) break;
  }
  return true;
}

// Reads a comparison sign; returns 0 when none follows.
char read_comparison_sign(Code& code) {
  const char c = code.peek_token_char();
  if (c != '=' && c != '!' && c != '<' && c != '>') return 0;
  code.read_char();
  if (c == '<' || c == '>') {
    if (code.peek_token_char() == '=') {
      code.read_char();
      return c == '<' ? 'l' : 'g';
    }
  }
  return c;
}

}  // namespace

bool next_reference(Runtime& rt, std::string& out) {
  out.clear();
  Code& code = rt.code;
  // The opening bracket is taken without being tested; a line end is not.
  const char first = code.peek_token_char();
  if (first == 0 || first == kLineEnd) return false;
  code.read_char();
  int depth = 0;
  const std::string& bytes = code.bytes();
  const size_t start = code.pos;
  while (code.pos < bytes.size()) {
    const char c = bytes[code.pos];
    if (c == '\x01' || c == '\n' || c == 0) {
      out.assign(bytes, start, code.pos - start);
      if (c == 0) ++code.pos;
      return false;
    }
    ++code.pos;
    if (c == '[') {
      ++depth;
    } else if (c == ']') {
      if (depth == 0) {
        out.assign(bytes, start, code.pos - 1 - start);
        return true;
      }
      --depth;
    }
  }
  out.assign(bytes, start, code.pos - start);
  return false;
}

void eval_operand(Runtime& rt, std::string& out) {
  rt.eval_too_deep = false;
  if (!read_concatenation(rt, out) || rt.eval_too_deep) out.clear();
  rt.eval_too_deep = false;
}

bool eval_append_operand(Runtime& rt, std::string_view target) {
  Code& code = rt.code;
  const size_t start = code.pos;
  if (code.peek_token_char() != '[') return false;
  std::string first;
  Node* node = nullptr;
  if (!next_reference(rt, first) || first != target ||
      code.peek_token_char() != '#' ||
      !(node = find_plain_node(rt, target, rt.area))) {
    code.pos = start;
    return false;
  }
  std::string& value = node->value;
  // The rest of the concatenation is evaluated on its own (it may read the
  // target, which must still hold its old value) and then appended.
  std::string tail;
  std::string right;
  rt.eval_too_deep = false;
  while (code.peek_token_char() == '#') {
    code.read_char();
    const bool more = read_sum(rt, right);
    tail += right;
    if (!more) break;
  }
  if (rt.eval_too_deep) {
    rt.eval_too_deep = false;
    value.clear();  // a malformed operand assigns an empty value
    return true;
  }
  value += tail;
  return true;
}

std::string eval_operand(Runtime& rt) {
  std::string out;
  eval_operand(rt, out);
  return out;
}

bool compare_texts(const std::string& left, const std::string& right, char sign) {
  if (sign == '=') return left == right;
  if (sign == '!') return left != right;
  const double a = text_to_double(left);
  const double b = text_to_double(right);
  int order;
  if (a == 0.0 || b == 0.0) {
    const int c = std::strcmp(left.c_str(), right.c_str());
    order = c < 0 ? -1 : (c > 0 ? 1 : 0);
  } else {
    order = a < b ? -1 : (a > b ? 1 : 0);
  }
  switch (sign) {
    case '<': return order < 0;
    case '>': return order > 0;
    case 'l': return order <= 0;
    case 'g': return order >= 0;
    default: return false;
  }
}

bool eval_condition(Runtime& rt) {
  bool result = false;
  bool evaluate = true;
  std::string left;
  std::string right;
  for (;;) {
    eval_operand(rt, left);
    const char sign = read_comparison_sign(rt.code);
    if (sign) {
      eval_operand(rt, right);
      if (evaluate) {
        result = compare_texts(left, right, sign);
        evaluate = false;
      }
    }
    const char joiner = rt.code.peek_token_char();
    if (joiner == '|') {
      rt.code.read_char();
      if (!result) evaluate = true;
    } else if (joiner == '&') {
      rt.code.read_char();
      if (result) evaluate = true;
    } else {
      return result;
    }
  }
}

bool at_line_end(Runtime& rt) {
  const char c = rt.code.peek_token_char();
  return c == 0 || c == kLineEnd;
}

}  // namespace kestrel
