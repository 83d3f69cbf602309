#include "win32/platform_groups.h"

namespace kestrel {

const OpcodeGroup kFileOpcodes{};

}  // namespace kestrel
