#include "win32/platform_groups.h"

namespace kestrel {

std::span<const OpcodeGroup> platform_opcode_groups() {
  static const OpcodeGroup groups[] = {
      kProgramOpcodes,   kSystemOpcodes,       kFileOpcodes,
      kFileContentOpcodes, kAttributeOpcodes,  kRegistryOpcodes,
      kKeyOpcodes,       kMouseOpcodes,        kStandardDialogOpcodes,
      kTrayOpcodes,      kHotkeyOpcodes,       kFileDialogOpcodes,
      kDesignerOpcodes,
  };
  return groups;
}

}  // namespace kestrel
