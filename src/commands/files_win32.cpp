// Directories and whole files: change, create and remove directories;
// delete, move, copy and create files; test a file and read its size.
// Every command reports through the result code or its target and never
// stops the script. The file search R034 is in file_search_win32.cpp.
#include <windows.h>

#include <cstdio>
#include <string>

#include "commands/file_lines.h"
#include "commands/file_result.h"
#include "commands/file_rules.h"
#include "commands/file_search_win32.h"
#include "core/text.h"
#include "varsys/eval.h"
#include "win32/handles.h"
#include "win32/paths.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

using win32::UniqueFile;

// R011 path: makes the path the current directory and, on success, stores
// the full current directory as the system reports it in variable 2.
int change_directory(Runtime& rt) {
  const std::string path = eval_operand(rt);
  if (!::SetCurrentDirectoryA(path.c_str())) {
    set_file_result(rt, false);
    return kStepNext;
  }
  const std::string directory = win32::current_directory();
  if (!directory.empty()) set_variable(rt, "2", directory, rt.area);
  set_file_result(rt, true);
  return kStepNext;
}

// R012 path: creates every directory of the path in turn, rebuilt from its
// non-empty components; only the last creation decides the result code
// (parents and drives that exist already fail harmlessly).
int make_directories(Runtime& rt) {
  const std::string path = eval_operand(rt);
  bool created = false;
  for (const std::string& directory : file_rules::directory_chain(path)) {
    created = ::CreateDirectoryA(directory.c_str(), nullptr) != 0;
  }
  set_file_result(rt, created);
  return kStepNext;
}

// R013 path: removes an empty directory.
int remove_directory(Runtime& rt) {
  const std::string path = eval_operand(rt);
  set_file_result(rt, ::RemoveDirectoryA(path.c_str()) != 0);
  return kStepNext;
}

// R017 path: deletes a file.
int delete_file(Runtime& rt) {
  const std::string path = eval_operand(rt);
  set_file_result(rt, ::DeleteFileA(path.c_str()) != 0);
  return kStepNext;
}

// R018 old, new: moves or renames a file or directory; an existing file at
// the new path makes it fail.
int move_file(Runtime& rt) {
  const std::string from = eval_operand(rt);
  const std::string to = eval_operand(rt);
  set_file_result(rt, ::MoveFileA(from.c_str(), to.c_str()) != 0);
  return kStepNext;
}

// R026 source, destination: copies over an existing destination, then gives
// the copy the source's attributes. Only the copy decides the result code.
int copy_file(Runtime& rt) {
  const std::string from = eval_operand(rt);
  const std::string to = eval_operand(rt);
  if (!::CopyFileA(from.c_str(), to.c_str(), FALSE)) {
    set_file_result(rt, false);
    return kStepNext;
  }
  const DWORD attributes = ::GetFileAttributesA(from.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesA(to.c_str(), attributes);
  set_file_result(rt, true);
  return kStepNext;
}

// R021 path: creates an empty file or cuts an existing one to length 0.
int create_file(Runtime& rt) {
  const std::string path = eval_operand(rt);
  UniqueFile file(std::fopen(path.c_str(), "w"));
  set_file_result(rt, static_cast<bool>(file));
  return kStepNext;
}

// True when `path` names a directory. The C library refuses to open a
// directory on Windows; under Wine it may succeed, so the file tests check.
bool is_directory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// R019 target, path: "0" in the target when the file opens for binary
// reading, "-1" otherwise (missing, locked, a directory).
int test_readable(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string path = eval_operand(rt);
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  set_truth(rt, target, file && !is_directory(path));
  return kStepNext;
}

// R035 target, path: the size in bytes, in full also beyond 2 GiB, or "-1"
// when the file cannot be opened for binary reading.
int file_size(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string path = eval_operand(rt);
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  int64_t size = -1;
  if (file && !is_directory(path)) size = file_lines::stream_size(file.get());
  set_variable(rt, target, size < 0 ? std::string("-1") : int_text(size), rt.area);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R011", change_directory}, {"R012", make_directories}, {"R013", remove_directory},
    {"R017", delete_file},      {"R018", move_file},        {"R026", copy_file},
    {"R021", create_file},      {"R019", test_readable},    {"R035", file_size},
    {"R034", find_files},
};

}  // namespace

const OpcodeGroup kFileOpcodes{kEntries};

}  // namespace kestrel
