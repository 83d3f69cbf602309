// The names of the registered hot keys, by the index that a hot-key event
// leaves in the dialog result.
#pragma once

namespace kestrel::win32 {

// The name of hot key `index`, or nullptr when no hot key has that index.
const char* hotkey_name(int index);

}  // namespace kestrel::win32
