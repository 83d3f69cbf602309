#include "win32/platform_groups.h"

namespace kestrel {

const OpcodeGroup kProgramOpcodes{};

}  // namespace kestrel
