// File access for klink: whole-file reads, all-or-nothing writes, and the
// path of the running executable.
#pragma once

#include <string>

namespace klink {

// Reads the whole file. False with the system's reason in `why`.
bool read_file(const std::string& path, std::string& bytes, std::string& why);

// Writes `bytes` to a temporary file beside `path` and renames it to `path`,
// so `path` is either the complete new file or untouched. False with the
// reason in `why`; the temporary file is removed on failure.
bool write_file_atomic(const std::string& path, const std::string& bytes, std::string& why);

// Absolute path of the running executable, or "" when it cannot be found.
std::string self_path();

}  // namespace klink
