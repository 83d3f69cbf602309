// The operand readers every handler uses: a target reference, a value
// operand (literals, variables, parentheses, arithmetic, concatenation) and
// a condition. They read from the code position of the running instruction.
#pragma once

#include <string>
#include <string_view>

#include "core/line_memo.h"

namespace kestrel {

struct Runtime;

// Reads a bracketed variable reference without evaluating it; `out` gets
// the text inside the outer brackets. Returns false when a line end (left
// unread) or the end of the code comes first.
bool next_reference(Runtime& rt, std::string& out);

// next_reference as the memo of the line holds it: the reference text,
// whether it was complete, and the remembered lookup of a plain name. The
// position moves past the operand.
ReferencePlan& reference_plan(Runtime& rt);

// Reads and evaluates one value operand into `out` (empty when no operand
// is present). The position is left on the character after the operand.
void eval_operand(Runtime& rt, std::string& out);
// Convenience form of eval_operand.
std::string eval_operand(Runtime& rt);

// The assignment fast path for `target = [target] # ...`: when the operand
// starts with the target reference itself followed by '#' and the target is
// an existing plain value (no hook, no creation or growth), evaluates the
// rest of the concatenation, appends it to the target's value in place and
// returns true. Otherwise reads nothing and returns false. The outcome is
// the one of evaluating the operand and storing it.
bool eval_append_operand(Runtime& rt, std::string_view target);

// Reads a condition: comparisons joined by '|' and '&', folded left to
// right without precedence.
bool eval_condition(Runtime& rt);

// Compares two texts by a comparison sign: '=', '!', '<', '>', and 'l'
// for "<=" and 'g' for ">=".
bool compare_texts(const std::string& left, const std::string& right, char sign);

// True when the next non-blank character of the line is a line end or the
// end of the code (nothing more to read on this line).
bool at_line_end(Runtime& rt);

}  // namespace kestrel
