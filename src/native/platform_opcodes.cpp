// The native build runs no Windows commands: every instruction that the
// portable core does not implement reports failure ("-1" in the result
// code) and execution goes on with the next line.
#include <vector>

#include "core/dispatch.h"

namespace kestrel {

std::span<const OpcodeGroup> platform_opcode_groups() {
  static const std::vector<OpcodeEntry> entries = [] {
    std::vector<OpcodeEntry> list;
    for (const char* opcode : all_opcodes()) list.push_back({opcode, unsupported_command});
    return list;
  }();
  static const OpcodeGroup groups[] = {OpcodeGroup(entries)};
  return groups;
}

}  // namespace kestrel
