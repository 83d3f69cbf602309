// The table of the registered hot keys of the run, and the names of the
// hot keys by the index that a hot-key event leaves in the dialog result.
#pragma once

#include "commands/hotkey_rules.h"

namespace kestrel::win32 {

// The hot keys registered on the owner window during this run.
hotkeys::HotkeyTable& hotkey_table();

// The name of hot key `index`, or nullptr when no hot key has that index.
const char* hotkey_name(int index);

}  // namespace kestrel::win32
