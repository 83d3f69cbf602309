// The instructions that work on the variable store directly: declare
// (R000), assign (R001) and empty (R052).
#include "core/runtime.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "varsys/store_commands.h"

namespace kestrel {

namespace {

// Applies `action` to each reference of the line, left to right. The line
// end that finishes the list stays unread for the loop's skip.
template <typename Action>
void for_each_reference(Runtime& rt, Action action) {
  std::string reference;
  for (;;) {
    if (!next_reference(rt, reference)) return;
    action(reference);
    if (rt.out_of_memory || at_line_end(rt)) return;
  }
}

int declare(Runtime& rt) {
  for_each_reference(rt, [&](const std::string& reference) {
    declare_variable(rt, reference, rt.area);
  });
  return kStepNext;
}

int empty(Runtime& rt) {
  for_each_reference(rt, [&](const std::string& reference) {
    free_variable(rt, reference, false);
  });
  return kStepNext;
}

int assign(Runtime& rt) {
  ReferencePlan& target = reference_plan(rt);
  // Appending to a variable in place keeps building a long text linear.
  if (eval_append_operand(rt, target.text)) return kStepNext;
  std::string value;
  eval_operand(rt, value);
  if (target.plain)
    set_plain_variable(rt, target.text, target.lookup, std::move(value), rt.area);
  else
    set_variable(rt, target.text, std::move(value), rt.area);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R000", declare},
    {"R001", assign},
    {"R052", empty},
};

}  // namespace

const OpcodeGroup kStoreOpcodes{kEntries};

}  // namespace kestrel
