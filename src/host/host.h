// The host seam: everything the portable interpreter core needs from the
// operating system goes through this one interface. The Win32 host
// (src/win32/) is the product; the native host (src/native/) serves the
// unit tests, the fuzzers, the benchmarks and the headless runner.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// Message box styles, with the numeric values of the Windows message box so
// that script-supplied style numbers pass through unchanged.
namespace box_style {
inline constexpr unsigned ok = 0x0;
inline constexpr unsigned icon_error = 0x10;
inline constexpr unsigned icon_question = 0x20;
inline constexpr unsigned icon_information = 0x40;
}  // namespace box_style

// Opaque handles of the external-library interface.
using LibraryHandle = void*;
using FunctionHandle = void*;

// What an external function call produced.
struct ExternalResult {
  int32_t status = -1;
  bool has_text = false;   // the function left a result text
  std::string text;        // a copy of it (the host released the original)
};

class Host {
 public:
  virtual ~Host() = default;

  // Shows a modal message box without an owner window and returns the
  // identifier of the pressed button (1 for OK).
  virtual int message_box(const std::string& text, const std::string& caption,
                          unsigned style) = 0;

  // Full path of the running executable, the file that carries the image.
  virtual std::string executable_path() = 0;

  // Writes bytes, unbuffered and unchanged, to standard stream `fd`
  // (0 input, 1 output, 2 error). Failures are silent.
  virtual void write_stream(int fd, std::string_view bytes) = 0;

  // External libraries. load_library returns nullptr on failure;
  // find_function returns nullptr when the name is not exported.
  virtual LibraryHandle load_library(const std::string& name) = 0;
  virtual FunctionHandle find_function(LibraryHandle library,
                                       const std::string& name) = 0;
  virtual void free_library(LibraryHandle library) = 0;
  // Calls `function` with the external calling convention.
  virtual ExternalResult call_external(FunctionHandle function,
                                       const std::vector<const char*>& args) = 0;

  // Machine facts for the start values of the system variables.
  virtual std::optional<std::string> command_line() = 0;  // none: not given
  virtual std::string current_directory() = 0;
  virtual std::string environment_value(const std::string& name) = 0;
  virtual std::string user_name() = 0;
  virtual std::string os_version_name() = 0;

  // System-variable hooks. `read_system_variable` returns a fresh value
  // for the names with a read hook and nothing otherwise;
  // `write_system_variable` acts for the names with a write hook and may
  // change `value` in place before it is stored.
  virtual std::optional<std::string> read_system_variable(std::string_view name) = 0;
  virtual void write_system_variable(std::string_view name, std::string& value) = 0;

  // A seed for pseudo-random numbers, different from run to run.
  virtual uint64_t random_seed() = 0;

  // Releases what the host's own tables hold (hot keys, dialog elements,
  // environment texts) at the end of the run.
  virtual void shutdown() = 0;
};

}  // namespace kestrel
