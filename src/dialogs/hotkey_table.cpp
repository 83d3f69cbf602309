#include "dialogs/hotkey_table.h"

namespace kestrel::win32 {

hotkeys::HotkeyTable& hotkey_table() {
  static hotkeys::HotkeyTable table;
  return table;
}

const char* hotkey_name(int index) { return hotkey_table().name(index); }

}  // namespace kestrel::win32
