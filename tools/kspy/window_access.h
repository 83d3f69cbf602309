// Reading windows, also those of other processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kspy {

// UTF-8 of a UTF-16 text.
std::string utf8(const std::wstring& wide);
// UTF-16 of a UTF-8 text (command-line arguments arrive as UTF-16 already;
// used for comparisons).
std::wstring widen(const std::string& text);

// "0x%08X" of a handle, and back (hex with or without 0x, or decimal).
std::string handle_text(HWND hwnd);
bool parse_handle(const std::wstring& text, HWND& hwnd);

std::wstring class_name(HWND hwnd);
// The window's text through WM_GETTEXT with SendMessageTimeout (works for
// edit controls of other processes, where GetWindowText gives ""); "" when
// the window does not answer within 1 s.
std::wstring window_text(HWND hwnd);

// Top-level windows in Z order.
std::vector<HWND> top_level_windows();
// All descendants of `parent`, parents before their children.
std::vector<HWND> descendants(HWND parent);

// Case-insensitive comparison (as FindWindow compares).
bool same_text_nocase(const std::wstring& a, const std::wstring& b);

}  // namespace kspy
