#include "win32/platform_groups.h"

namespace kestrel {

const OpcodeGroup kRegistryOpcodes{};

}  // namespace kestrel
