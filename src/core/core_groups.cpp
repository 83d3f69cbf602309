// The opcode groups that every build has: the portable core and commands.
#include "commands/line_reader.h"
#include "commands/streams.h"
#include "commands/strings.h"
#include "core/dispatch.h"
#include "core/flow.h"
#include "varsys/store_commands.h"

namespace kestrel {

std::span<const OpcodeGroup> core_opcode_groups() {
  static const OpcodeGroup groups[] = {
      kFlowOpcodes,   kProcedureOpcodes, kStoreOpcodes,
      kStreamOpcodes, kStringOpcodes,    kLineReaderOpcodes,
  };
  return groups;
}

}  // namespace kestrel
