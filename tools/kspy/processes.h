// Which process owns a window, and the executable file of a process.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace kspy {

// Process id -> executable file name (no directory), from one snapshot.
std::map<DWORD, std::wstring> process_names();

DWORD window_process(HWND hwnd);

// True when `exe` is empty (no filter) or names the same file as `name`
// (case-insensitive, directory and a missing ".exe" ignored).
bool exe_matches(const std::wstring& exe, const std::wstring& name);

}  // namespace kspy
