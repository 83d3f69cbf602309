#include "varsys/eval.h"

#include <algorithm>
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

using Action = OperandAction::Kind;

// Reads the shape of a value operand from the code text into a list of
// actions (see OperandAction) without evaluating anything. The reading
// follows the grammar below exactly as an evaluating reader would, so the
// position it stops at is the one of the evaluation.
class OperandReader {
 public:
  OperandReader(Runtime& rt, std::vector<OperandAction>& actions)
      : rt_(rt), code_(rt.code), actions_(actions) {}

  // operand = sum { '#' sum }
  bool concatenation() {
    if (!sum()) return false;
    while (code_.peek_token_char() == '#') {
      code_.read_char();
      const bool more = sum();
      emit(Action::concatenate);
      if (!more) break;
    }
    return true;
  }

  // sum = term { ('+' | '-') term }
  bool sum() {
    if (!term()) return false;
    for (;;) {
      const char c = code_.peek_token_char();
      if (c != '+' && c != '-') return true;
      code_.read_char();
      const bool more = term();
      emit(Action::arithmetic, c == '+' ? ArithmeticOp::add : ArithmeticOp::subtract);
      if (!more) return true;
    }
  }

  bool too_deep() const { return too_deep_; }

 private:
  void emit(Action kind, ArithmeticOp op = ArithmeticOp::add, std::string text = {}) {
    OperandAction action;
    action.kind = kind;
    action.op = op;
    action.plain = kind == Action::variable && is_plain_name(text);
    action.text = std::move(text);
    actions_.push_back(std::move(action));
  }

  // term = primary { ('*' | '/' | '~') primary }
  bool term() {
    if (!primary()) return false;
    for (;;) {
      const char c = code_.peek_token_char();
      ArithmeticOp op;
      if (c == '*')
        op = ArithmeticOp::multiply;
      else if (c == '/')
        op = ArithmeticOp::divide;
      else if (c == '~')
        op = ArithmeticOp::remainder;
      else
        return true;
      code_.read_char();
      const bool more = primary();
      emit(Action::arithmetic, op);
      if (!more) return true;
    }
  }

  // primary = literal | '(' operand ')' | '[' reference ']'
  // Returns false when no primary starts here (the character stays unread);
  // the value of a missing primary is "".
  bool primary() {
    const char c = code_.peek_token_char();
    if (c == '\'') {
      code_.read_char();
      std::string literal;
      code_.read_to_delimiter('\'', &literal);
      emit(Action::literal, ArithmeticOp::add, std::move(literal));
      return true;
    }
    if (c == '(') {
      code_.read_char();
      if (depth_ >= kMaxEvalDepth) {
        too_deep_ = true;  // the whole operand is malformed
        emit(Action::empty);
        return false;
      }
      ++depth_;
      concatenation();  // a failed operand inside leaves "" already
      --depth_;
      if (code_.peek_token_char() == ')') code_.read_char();
      return true;
    }
    if (c == '[') {
      std::string reference;
      next_reference(rt_, reference);
      emit(Action::variable, ArithmeticOp::add, std::move(reference));
      return true;
    }
    emit(Action::empty);
    return false;
  }

  Runtime& rt_;
  Code& code_;
  std::vector<OperandAction>& actions_;
  int depth_ = 0;
  bool too_deep_ = false;
};

// Appends `right` to `out` unless the result would pass the text limit;
// then the run is out of memory and `out` is emptied.
void append_within_limit(Runtime& rt, std::string& out, const std::string& right) {
  if (right.size() > rt.text_limit - std::min(rt.text_limit, out.size())) {
    rt.out_of_memory = true;
    out.clear();
    return;
  }
  out += right;
}

// Performs the actions of an operand and leaves its value in `out`, which
// is the bottom of the evaluation stack: an operand of one primary, the
// most common kind, is read straight into it. The rest of the stack lives
// in the memo so that its texts keep their capacity.
void run_actions(Runtime& rt, std::vector<OperandAction>& actions, std::string& out) {
  std::vector<std::string>& stack = rt.memo.stack;
  if (stack.size() < actions.size()) stack.resize(actions.size());
  // Entry i of the stack is `out` for i == 0, stack[i] otherwise; `top`
  // counts the entries in use.
  size_t top = 0;
  auto entry = [&](size_t i) -> std::string& { return i == 0 ? out : stack[i]; };
  for (OperandAction& action : actions) {
    switch (action.kind) {
      case Action::literal:
        entry(top++) = action.text;
        break;
      case Action::variable:
        if (action.plain)
          get_plain_variable(rt, action.text, action.lookup, entry(top), rt.area);
        else
          get_variable(rt, action.text, entry(top), rt.area);
        ++top;
        break;
      case Action::empty:
        entry(top++).clear();
        break;
      case Action::arithmetic:
        --top;
        compute_arithmetic_in_place(entry(top - 1), stack[top], action.op);
        break;
      case Action::concatenate:
        --top;
        append_within_limit(rt, entry(top - 1), stack[top]);
        break;
    }
  }
  if (top == 0) out.clear();
}

// The plan of the value operand at the code position, read from the text
// the first time.
OperandPlan* operand_plan(Runtime& rt) {
  rt.memo.follow(rt.code.generation());
  const size_t start = rt.code.pos;
  if (OperandPlan* plan = rt.memo.operands.find(start)) return plan;
  OperandPlan plan;
  OperandReader reader(rt, plan.actions);
  const bool found = reader.concatenation();
  plan.empty_result = !found || reader.too_deep();
  plan.end = rt.code.pos;
  rt.code.pos = start;
  return rt.memo.operands.store(start, rt.code.length(), std::move(plan));
}

// The plan of the append form at the code position (see AppendPlan).
AppendPlan* append_plan(Runtime& rt) {
  rt.memo.follow(rt.code.generation());
  Code& code = rt.code;
  const size_t start = code.pos;
  if (AppendPlan* plan = rt.memo.appends.find(start)) return plan;
  AppendPlan plan;
  if (code.peek_token_char() == '[' && next_reference(rt, plan.first) &&
      code.peek_token_char() == '#') {
    plan.matches = true;
    // The tail: "" followed by each further sum, appended in turn.
    std::vector<OperandAction>& actions = plan.tail.actions;
    actions.push_back({});
    actions.back().kind = Action::empty;
    OperandReader reader(rt, actions);
    while (code.peek_token_char() == '#') {
      code.read_char();
      const bool more = reader.sum();
      actions.push_back({});
      actions.back().kind = Action::concatenate;
      if (!more) break;
    }
    plan.tail.empty_result = reader.too_deep();
    plan.tail.end = code.pos;
  }
  code.pos = start;
  return rt.memo.appends.store(start, code.length(), std::move(plan));
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

// The text of a bracketed reference at the code position (next_reference).
ReferencePlan read_reference(Code& code) {
  ReferencePlan plan;
  // The opening bracket is taken without being tested; a line end is not.
  const char first = code.peek_token_char();
  if (first == 0 || first == kLineEnd) {
    plan.end = code.pos;
    return plan;
  }
  code.read_char();
  int depth = 0;
  const std::string& bytes = code.bytes();
  const size_t start = code.pos;
  while (code.pos < bytes.size()) {
    const char c = bytes[code.pos];
    if (c == '\x01' || c == '\n' || c == 0) {
      plan.text.assign(bytes, start, code.pos - start);
      if (c == 0) ++code.pos;
      plan.end = code.pos;
      return plan;
    }
    ++code.pos;
    if (c == '[') {
      ++depth;
    } else if (c == ']') {
      if (depth == 0) {
        plan.text.assign(bytes, start, code.pos - 1 - start);
        plan.complete = true;
        plan.end = code.pos;
        return plan;
      }
      --depth;
    }
  }
  plan.text.assign(bytes, start, code.pos - start);
  plan.end = code.pos;
  return plan;
}

}  // namespace

ReferencePlan& reference_plan(Runtime& rt) {
  rt.memo.follow(rt.code.generation());
  Code& code = rt.code;
  const size_t start = code.pos;
  ReferencePlan* plan = rt.memo.references.find(start);
  if (!plan) {
    ReferencePlan read = read_reference(code);
    read.plain = read.complete && is_plain_name(read.text);
    plan = rt.memo.references.store(start, code.length(), std::move(read));
  }
  code.pos = plan->end;
  return *plan;
}

bool next_reference(Runtime& rt, std::string& out) {
  const ReferencePlan& plan = reference_plan(rt);
  out = plan.text;
  return plan.complete;
}

void eval_operand(Runtime& rt, std::string& out) {
  OperandPlan* plan = operand_plan(rt);
  const size_t end = plan->end;
  const bool empty_result = plan->empty_result;
  run_actions(rt, plan->actions, out);
  rt.code.pos = end;
  if (empty_result) out.clear();
}

bool eval_append_operand(Runtime& rt, std::string_view target) {
  Code& code = rt.code;
  const size_t start = code.pos;
  AppendPlan* plan = append_plan(rt);
  Node* node = nullptr;
  if (!plan->matches || plan->first != target ||
      !(node = find_plain_node(rt, target, rt.area))) {
    code.pos = start;
    return false;
  }
  std::string& value = node->value;
  // The rest of the concatenation is evaluated on its own (it may read the
  // target, which must still hold its old value) and then appended.
  std::string tail;
  run_actions(rt, plan->tail.actions, tail);
  code.pos = plan->tail.end;
  if (tail.size() > rt.text_limit - std::min(rt.text_limit, value.size())) {
    rt.out_of_memory = true;  // the value is left as it was
    return true;
  }
  if (plan->tail.empty_result) {
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
  int order;
  int64_t i = 0;
  int64_t j = 0;
  // Plain integers compare as integers: the same numbers the double
  // conversion gives, without it.
  const bool integers = plain_integer(left, i) && plain_integer(right, j);
  const double a = integers ? static_cast<double>(i) : text_to_double(left);
  const double b = integers ? static_cast<double>(j) : text_to_double(right);
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
