#pragma once

#include "core/dispatch.h"

namespace kestrel {

// R024: reading a line or the whole of a text file. It needs only the C
// library's streams, so every build, the native runner included, has it.
extern const OpcodeGroup kLineReaderOpcodes;

}  // namespace kestrel
