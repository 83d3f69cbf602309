// The host klint reads code with: it runs nothing. Operands evaluated
// while checking see empty variables; a message box of the image loader
// is kept as the reason the image cannot be read.
#pragma once

#include <string>

#include "host/host.h"

namespace klint {

class LintHost final : public kestrel::Host {
 public:
  std::string last_box;

  int message_box(const std::string& text, const std::string& caption, unsigned) override {
    last_box = caption.empty() ? text : text + ": " + caption;
    return 1;
  }
  std::string executable_path() override { return {}; }
  void write_stream(int, std::string_view) override {}
  kestrel::LibraryHandle load_library(const std::string&) override { return nullptr; }
  kestrel::FunctionHandle find_function(kestrel::LibraryHandle, const std::string&) override {
    return nullptr;
  }
  void free_library(kestrel::LibraryHandle) override {}
  kestrel::ExternalResult call_external(kestrel::FunctionHandle,
                                        const std::vector<const char*>&) override {
    return {};
  }
  std::optional<std::string> command_line() override { return std::string(); }
  std::string current_directory() override { return {}; }
  std::string environment_value(const std::string&) override { return {}; }
  std::string user_name() override { return {}; }
  std::string os_version_name() override { return {}; }
  std::optional<std::string> read_system_variable(std::string_view) override { return std::nullopt; }
  void write_system_variable(std::string_view, std::string&) override {}
  uint64_t random_seed() override { return 1; }
  void shutdown() override {}
};

}  // namespace klint
