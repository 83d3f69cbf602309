// The system variables 0 to 61: their start values. Their read and write
// hooks belong to the host (they reach windows, the clipboard and the
// pointer); the store calls them for unindexed names.
#pragma once

namespace kestrel {

struct Runtime;

// Gives every system variable its start value in area 0. Variable 3 (the
// executable's path) is stored by the image loader right afterwards.
void init_system_variables(Runtime& rt);

}  // namespace kestrel
