#include "win32/platform_groups.h"

namespace kestrel {

const OpcodeGroup kTrayOpcodes{};

}  // namespace kestrel
