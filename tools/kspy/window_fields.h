// The fields that describe one window in kspy's output: handle, class,
// text, control id, style bits, position and size, visible and enabled.
#pragma once

#include <windows.h>

#include "json.h"

namespace kspy {

// Adds the common fields of `hwnd` to `line`. Positions of child windows
// are relative to their parent's client area, those of top-level windows
// are screen coordinates.
JsonLine& window_fields(JsonLine& line, HWND hwnd);

// "0x%08lX" of a 32-bit value.
std::string hex32(unsigned long value);

}  // namespace kspy
