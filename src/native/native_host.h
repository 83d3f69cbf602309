// The host of the native build: the headless runner, the unit tests, the
// fuzzers and the benchmarks. It has no windows: message boxes are
// recorded (and reported on standard error by the runner), external
// libraries never load, and the system-variable hooks give portable values
// (time and date) or none.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace kestrel {

class NativeHost : public Host {
 public:
  struct Box {
    std::string text;
    std::string caption;
    unsigned style = 0;
  };

  int message_box(const std::string& text, const std::string& caption,
                  unsigned style) override;
  std::string executable_path() override { return executable; }
  void write_stream(int fd, std::string_view bytes) override;
  LibraryHandle load_library(const std::string&) override { return nullptr; }
  FunctionHandle find_function(LibraryHandle, const std::string&) override {
    return nullptr;
  }
  void free_library(LibraryHandle) override {}
  ExternalResult call_external(FunctionHandle,
                               const std::vector<const char*>&) override {
    return {};
  }
  std::optional<std::string> command_line() override { return arguments; }
  std::string current_directory() override;
  std::string environment_value(const std::string& name) override;
  std::string user_name() override;
  std::string os_version_name() override { return "unknown"; }
  std::optional<std::string> read_system_variable(std::string_view name) override;
  void write_system_variable(std::string_view, std::string&) override {}
  uint64_t random_seed() override;
  void shutdown() override {}

  std::string executable;
  std::optional<std::string> arguments;
  // Streams are captured here instead of written when `capture` is set.
  bool capture = false;
  std::string captured[3];
  std::vector<Box> boxes;
  // When set, boxes are also described on standard error.
  bool report_boxes = false;
};

}  // namespace kestrel
