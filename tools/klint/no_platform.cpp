// klint and klink run no instructions: the platform contributes no
// handlers, and the opcode list of the dispatch table alone decides which
// opcodes exist.
#include "core/dispatch.h"

namespace kestrel {

std::span<const OpcodeGroup> platform_opcode_groups() { return {}; }

}  // namespace kestrel
