// The handlers of the designer opcodes, one unit per concern; the opcode
// group in designer_commands.cpp lists them.
#pragma once

#include "core/runtime.h"

namespace kestrel::win32::designer {

int create_element(Runtime& rt);   // RD00, element_create.cpp
int set_property(Runtime& rt);     // RD01, properties_set.cpp
int read_property(Runtime& rt);    // RD02, properties_read.cpp
int wait_for_event(Runtime& rt);   // RD03, event_wait.cpp
int release_elements(Runtime& rt); // RD04, element_release.cpp

}  // namespace kestrel::win32::designer
