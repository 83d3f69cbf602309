#pragma once

#include "core/dispatch.h"

namespace kestrel {

extern const OpcodeGroup kStoreOpcodes;

}  // namespace kestrel
