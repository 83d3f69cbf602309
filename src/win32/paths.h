// Paths the system writes into a caller's buffer: read with a buffer that
// grows to the size the system asks for, so a long path is never cut.
#pragma once

#include <windows.h>

#include <string>

namespace kestrel::win32 {

// The process's current directory, or an empty text when it cannot be read.
inline std::string current_directory() {
  std::string path(2048, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data());
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.assign(length + 1, '\0');  // the size asked for, terminator included
  }
  return {};
}

// The full path of the running executable, or an empty text on failure.
inline std::string module_path() {
  std::string path(2048, '\0');
  while (path.size() <= 0x10000) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.assign(path.size() * 2, '\0');  // cut to the buffer: try a larger one
  }
  return {};
}

}  // namespace kestrel::win32
