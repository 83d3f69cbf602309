// Labels, loop frames and the forward scans that find block ends, loop
// ends, labels and opcodes in the code text.
#pragma once

#include <string>
#include <string_view>

#include "core/dispatch.h"

namespace kestrel {

struct Runtime;

// Registers label `name` (trimmed) at the code position, owned by the
// current procedure, unless a label of that name is already visible there.
void register_label(Runtime& rt, std::string_view name);

// With `is_label`, moves the position to the line after label `target`;
// otherwise to right after the next opcode equal to `target`. Labels met
// on the way are registered. Returns false (position at the end of the
// code) when the target is not found.
bool seek(Runtime& rt, std::string_view target, bool is_label);

// Pushes a loop frame for an RRPT whose opcode ends at `position`.
void push_loop_frame(Runtime& rt, size_t position);
void pop_loop_frame(Runtime& rt);

// Opcode groups of the structure instructions.
extern const OpcodeGroup kFlowOpcodes;
extern const OpcodeGroup kProcedureOpcodes;

}  // namespace kestrel
