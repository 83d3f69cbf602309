// How the runtime executable ends when the C++ library meets a failure it
// would report by throwing (no memory, a string longer than its maximum,
// a position out of range, an empty std::function).
//
// The runtime catches no exceptions: every such throw would reach
// std::terminate and end the process. These definitions end it directly
// and so keep the library's exception classes, their copy-on-write message
// strings and the C++ name demangler of the verbose terminate handler out
// of the executable (together about 100 KB of its size). The native build
// keeps the library's own versions, whose messages the sanitizers report.
//
// Running out of memory is not a fault of the runtime: a script can ask
// for more than the address space holds (a deep recursion, texts or
// arrays that keep growing). An allocation that fails, and a text that
// would pass the library's largest size, end the process with the
// runtime's out-of-memory message and exit code 0 instead of a crash.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "core/loop.h"

namespace {

[[noreturn]] void library_failure() { std::abort(); }

[[noreturn]] void out_of_memory() {
  ::MessageBoxA(nullptr, kestrel::kOutOfMemoryText, kestrel::kOutOfMemoryCaption, MB_ICONERROR);
  ::ExitProcess(0);
}

// operator new calls the handler when the heap has no block of the size.
[[maybe_unused]] const std::new_handler previous_handler = std::set_new_handler(out_of_memory);

}  // namespace

namespace std {

[[noreturn]] void __throw_bad_alloc() { out_of_memory(); }
[[noreturn]] void __throw_bad_array_new_length() { out_of_memory(); }
[[noreturn]] void __throw_bad_function_call() { library_failure(); }
[[noreturn]] void __throw_length_error(const char*) { out_of_memory(); }
[[noreturn]] void __throw_logic_error(const char*) { library_failure(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { library_failure(); }

}  // namespace std

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { library_failure(); }

}  // namespace __gnu_cxx
