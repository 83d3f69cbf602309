#pragma once

#include "core/dispatch.h"

namespace kestrel {

// RF02 to RF14: the text commands.
extern const OpcodeGroup kStringOpcodes;

}  // namespace kestrel
