#include "win32/platform_groups.h"

namespace kestrel {

const OpcodeGroup kDesignerOpcodes{};

}  // namespace kestrel
