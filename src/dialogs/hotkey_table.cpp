#include "dialogs/hotkey_table.h"

namespace kestrel::win32 {

// No hot keys are registered yet: the hot-key table replaces this.
const char* hotkey_name(int) { return nullptr; }

}  // namespace kestrel::win32
