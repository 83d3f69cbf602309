// The text commands RF02 to RF14.
#include "commands/strings.h"

namespace kestrel {

const OpcodeGroup kStringOpcodes{};

}  // namespace kestrel
