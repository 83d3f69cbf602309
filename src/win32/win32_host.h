// The Win32 host: the product's connection to Windows for the portable core.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/host.h"

namespace kestrel::win32 {

class Win32Host : public Host {
 public:
  explicit Win32Host(const char* command_line) : command_line_(command_line) {}

  int message_box(const std::string& text, const std::string& caption,
                  unsigned style) override;
  std::string executable_path() override;
  void write_stream(int fd, std::string_view bytes) override;
  LibraryHandle load_library(const std::string& name) override;
  FunctionHandle find_function(LibraryHandle library, const std::string& name) override;
  void free_library(LibraryHandle library) override;
  ExternalResult call_external(FunctionHandle function,
                               const std::vector<const char*>& args) override;
  std::optional<std::string> command_line() override;
  std::string current_directory() override;
  std::string environment_value(const std::string& name) override;
  std::string user_name() override;
  std::string os_version_name() override;
  std::optional<std::string> read_system_variable(std::string_view name) override;
  void write_system_variable(std::string_view name, std::string& value) override;
  uint64_t random_seed() override;
  void shutdown() override;

  // Registers a release step of a Win32 module (hot keys, dialog elements,
  // environment texts), run once by shutdown in registration order.
  void on_shutdown(std::function<void()> step) { shutdown_steps_.push_back(std::move(step)); }

 private:
  const char* command_line_;
  std::vector<std::function<void()>> shutdown_steps_;
};

// The host of the running process (set by the entry point).
Win32Host& host();
void set_host(Win32Host* host);

}  // namespace kestrel::win32
