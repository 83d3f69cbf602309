// The memo of parsed lines. The code never changes while it runs, so what
// the readers make of the text at a code position (the opcode and its
// handler, a reference text, the shape of a value operand) is the same
// every time they start there. The memo keeps that reading, keyed by the
// code position, together with the position where the reader stops; the
// next time the instruction runs it skips the scan of the text. Nothing in
// it depends on a value: every operand is still evaluated at every run, in
// the same order, through the same store operations, so a memo can never
// change what a line does. A new code (Code::assign) empties it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/dispatch.h"
#include "varsys/number.h"
#include "varsys/store.h"

namespace kestrel {

// One action of a value operand, in the order the reader performs it: the
// operand is a little stack program (postfix) whose pushes are the
// primaries and whose operators combine the two topmost values.
struct OperandAction {
  enum class Kind : uint8_t {
    literal,      // push `text`
    variable,     // push the value of the reference `text`
    empty,        // push "" (no primary where one was expected)
    arithmetic,   // combine the two topmost values with `op`
    concatenate,  // append the topmost value to the one below it
  };
  Kind kind;
  ArithmeticOp op = ArithmeticOp::add;
  std::string text;
  bool plain = false;   // variable: a plain name (is_plain_name)
  PlainLookup lookup;   // variable: what the name found last time
};

// A value operand: its actions and where the reader stops.
struct OperandPlan {
  std::vector<OperandAction> actions;
  size_t end = 0;
  bool empty_result = false;  // malformed (or no) operand: the value is ""
};

// A reference operand read by next_reference.
struct ReferencePlan {
  std::string text;
  size_t end = 0;
  bool complete = false;  // the closing bracket was found
  bool plain = false;     // a plain name (is_plain_name)
  PlainLookup lookup;     // what the name found last time, when plain
};

// The append form `[t]#...` of an assignment to t (eval_append_operand):
// whether the operand has that form, its first reference, and the actions
// that build the appended tail.
struct AppendPlan {
  bool matches = false;
  std::string first;
  OperandPlan tail;
};

// The step at a code position: the opcode as the step leaves it in
// Runtime::opcode, the position after it and the handler (none: the
// program stops).
struct StepPlan {
  char opcode[5] = {};
  size_t after = 0;
  Handler handler = nullptr;
  bool unknown = true;  // without a handler: an unknown opcode, not a label
};

// Plans of one kind by code position: a flat index from position to plan
// (made when the first plan of the kind is stored), or a hash index for
// very long codes. Plans are kept in a deque so that their addresses stay
// put while more are added.
template <typename Plan>
class PositionMemo {
 public:
  Plan* find(size_t position) {
    if (position < flat_.size()) return flat_[position];
    if (sparse_.empty()) return nullptr;
    auto it = sparse_.find(position);
    return it == sparse_.end() ? nullptr : it->second;
  }
  // Stores `plan` for `position` of a code of `length` bytes.
  Plan* store(size_t position, size_t length, Plan plan) {
    plans_.push_back(std::move(plan));
    Plan* stored = &plans_.back();
    if (length <= kLongestFlatCode && position <= length) {
      if (flat_.size() != length + 1) flat_.assign(length + 1, nullptr);
      flat_[position] = stored;
    } else {
      sparse_[position] = stored;
    }
    return stored;
  }
  void clear() {
    flat_.clear();
    flat_.shrink_to_fit();
    sparse_.clear();
    plans_.clear();
  }

  // Longer codes use the hash index: the flat one costs a pointer per
  // code byte.
  static constexpr size_t kLongestFlatCode = size_t{1} << 20;

 private:
  std::vector<Plan*> flat_;
  std::unordered_map<size_t, Plan*> sparse_;
  std::deque<Plan> plans_;
};

struct LineMemo {
  uint64_t code_generation = 0;  // the code the plans were made from
  PositionMemo<StepPlan> steps;
  PositionMemo<OperandPlan> operands;
  PositionMemo<ReferencePlan> references;
  PositionMemo<AppendPlan> appends;
  // The evaluation stack of operand plans; its texts keep their capacity
  // from one evaluation to the next. Evaluations do not nest: reading a
  // variable never evaluates an operand.
  std::vector<std::string> stack;

  // Empties the memo when the code is not the one it was made from.
  void follow(uint64_t generation) {
    if (generation == code_generation) return;
    steps.clear();
    operands.clear();
    references.clear();
    appends.clear();
    code_generation = generation;
  }
};

}  // namespace kestrel
