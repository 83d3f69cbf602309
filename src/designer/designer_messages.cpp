#include "designer/designer_messages.h"

namespace kestrel::win32 {

bool designer_handle_message(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool is_designer_window(HWND) { return false; }

}  // namespace kestrel::win32
