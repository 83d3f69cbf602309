#pragma once

#include "core/dispatch.h"

namespace kestrel {

// R060, R061, R062: texts to the standard streams.
extern const OpcodeGroup kStreamOpcodes;

}  // namespace kestrel
