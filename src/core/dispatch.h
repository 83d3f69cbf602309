// The opcode table: every opcode of the language and the handler that runs
// it. Handlers are grouped by command unit; each unit exports its group.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrel {

struct Runtime;

// A handler reads its operands from the code position right after the
// opcode, does its work and returns a step result.
using Handler = int (*)(Runtime&);

struct OpcodeEntry {
  const char* opcode;  // four characters
  Handler handler;
};

using OpcodeGroup = std::span<const OpcodeEntry>;

// The groups of the portable core and of the platform (Win32 commands, or
// none for the native build).
std::span<const OpcodeGroup> core_opcode_groups();
std::span<const OpcodeGroup> platform_opcode_groups();

// Handler for a known opcode that this build cannot run (native build):
// it reports failure in the result code and goes on.
int unsupported_command(Runtime& rt);

// The handler of `opcode` (upper case, four characters), or nullptr when
// the opcode is unknown.
Handler find_handler(const char opcode[5]);

// True when `opcode` names one of the language's instructions.
bool is_known_opcode(const char* opcode);

// Every opcode of the language, in the order of the reference list.
std::span<const char* const> all_opcodes();

}  // namespace kestrel
