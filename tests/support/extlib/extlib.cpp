// A small external library for the end-to-end tests of REXT. Every function
// follows the runtime's calling convention: C convention; the address of a
// result text pointer (null on entry), the argument array (null when there
// are no arguments) and the argument count; the status is the return value.
// Result texts are allocated with LocalAlloc: the runtime frees them.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

char* local_copy(const std::string& text) {
  char* block = static_cast<char*>(::LocalAlloc(LMEM_FIXED, text.size() + 1));
  if (block) std::memcpy(block, text.c_str(), text.size() + 1);
  return block;
}

}  // namespace

extern "C" {

// Returns a greeting text and status 0.
__declspec(dllexport) int __cdecl kx_hello(char** result, char**, int) {
  *result = local_copy("hello from the library");
  return 0;
}

// Returns only a status: 42.
__declspec(dllexport) int __cdecl kx_status(char**, char**, int) { return 42; }

// Joins its arguments with '+'; the status is their count.
__declspec(dllexport) int __cdecl kx_join(char** result, char** arguments, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i) text += '+';
    text += arguments[i];
  }
  *result = local_copy(text);
  return count;
}

// Status 1 when the argument array is null (no arguments), else 0; a
// negative status checks the signed formatting.
__declspec(dllexport) int __cdecl kx_no_arguments(char**, char** arguments, int count) {
  if (count != 0) return -7;
  return arguments == nullptr ? 1 : 0;
}

}  // extern "C"
