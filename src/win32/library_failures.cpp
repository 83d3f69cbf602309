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
#include <cstdlib>

namespace {

[[noreturn]] void library_failure() { std::abort(); }

}  // namespace

namespace std {

[[noreturn]] void __throw_bad_alloc() { library_failure(); }
[[noreturn]] void __throw_bad_array_new_length() { library_failure(); }
[[noreturn]] void __throw_bad_function_call() { library_failure(); }
[[noreturn]] void __throw_length_error(const char*) { library_failure(); }
[[noreturn]] void __throw_logic_error(const char*) { library_failure(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { library_failure(); }

}  // namespace std

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { library_failure(); }

}  // namespace __gnu_cxx
