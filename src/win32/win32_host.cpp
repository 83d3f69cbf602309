#include "win32/win32_host.h"

#include <windows.h>

#include "win32/paths.h"
#include "win32/system_hooks.h"

namespace kestrel::win32 {

namespace {

Win32Host* current_host = nullptr;

// The signature of an external function: result pointer, argument array,
// argument count; C calling convention.
using ExternalFunction = int(__cdecl*)(char** result, char** arguments, int count);

}  // namespace

Win32Host& host() { return *current_host; }
void set_host(Win32Host* h) { current_host = h; }

int Win32Host::message_box(const std::string& text, const std::string& caption,
                           unsigned style) {
  return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

std::string Win32Host::executable_path() { return module_path(); }

void Win32Host::write_stream(int fd, std::string_view bytes) {
  const DWORD which = fd == 0 ? STD_INPUT_HANDLE
                      : fd == 1 ? STD_OUTPUT_HANDLE
                                : STD_ERROR_HANDLE;
  HANDLE stream = ::GetStdHandle(which);
  if (stream == nullptr || stream == INVALID_HANDLE_VALUE) return;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(
        bytes.size() - done > 0x10000000 ? 0x10000000 : bytes.size() - done);
    if (!::WriteFile(stream, bytes.data() + done, chunk, &written, nullptr) ||
        written == 0)
      return;
    done += written;
  }
}

LibraryHandle Win32Host::load_library(const std::string& name) {
  return ::LoadLibraryA(name.c_str());
}

FunctionHandle Win32Host::find_function(LibraryHandle library, const std::string& name) {
  return reinterpret_cast<FunctionHandle>(
      ::GetProcAddress(static_cast<HMODULE>(library), name.c_str()));
}

void Win32Host::free_library(LibraryHandle library) {
  ::FreeLibrary(static_cast<HMODULE>(library));
}

ExternalResult Win32Host::call_external(FunctionHandle function,
                                        const std::vector<const char*>& args) {
  // The function gets its own copies of the argument texts.
  std::vector<std::string> copies(args.begin(), args.end());
  std::vector<char*> pointers;
  pointers.reserve(copies.size());
  for (std::string& copy : copies) pointers.push_back(copy.data());
  char* result = nullptr;
  auto call = reinterpret_cast<ExternalFunction>(function);
  ExternalResult outcome;
  outcome.status = call(&result, pointers.empty() ? nullptr : pointers.data(),
                        static_cast<int>(pointers.size()));
  if (result) {
    outcome.has_text = true;
    outcome.text = result;
    ::LocalFree(result);
  }
  return outcome;
}

std::optional<std::string> Win32Host::command_line() {
  if (!command_line_) return std::nullopt;
  return std::string(command_line_);
}

std::string Win32Host::current_directory() { return win32::current_directory(); }

std::string Win32Host::environment_value(const std::string& name) {
  const DWORD size = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::string value(size, '\0');
  const DWORD length = ::GetEnvironmentVariableA(name.c_str(), value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

std::string Win32Host::user_name() {
  char name[2048];
  DWORD size = sizeof name;
  if (::GetUserNameA(name, &size) != 1) return "unknown";
  return name;
}

std::string Win32Host::os_version_name() { return system_version_name(); }

std::optional<std::string> Win32Host::read_system_variable(std::string_view name) {
  return read_system_hook(name);
}

void Win32Host::write_system_variable(std::string_view name, std::string& value) {
  write_system_hook(name, value);
}

uint64_t Win32Host::random_seed() {
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return static_cast<uint64_t>(counter.QuadPart) ^
         (static_cast<uint64_t>(::GetCurrentProcessId()) << 40) ^ ::GetTickCount();
}

void Win32Host::shutdown() {
  auto steps = std::move(shutdown_steps_);
  for (auto& step : steps) step();
}

}  // namespace kestrel::win32
