// The Windows side of R044: the real shutdown calls, and the choice
// between them and the recording fake that the end-to-end tests use.
#pragma once

#include <string_view>

namespace kestrel::win32 {

// The environment variable that selects the recording fake. Only the test
// scripts set it: with the value "accept" or "refuse" the request is not
// sent to the system; the fake answers ExitWindowsEx with that outcome and
// its record of the calls is written to standard output.
inline constexpr const char* kFakeShutdownVariable = "KESTREL_TEST_FAKE_SHUTDOWN";

// Runs the shutdown request for `mode` and returns ExitWindowsEx's outcome.
bool shut_down_system(std::string_view mode);

}  // namespace kestrel::win32
