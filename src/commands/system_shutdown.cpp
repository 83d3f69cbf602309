#include "commands/system_shutdown.h"

#include <cstdio>

#include "core/text.h"

namespace kestrel {

namespace {

struct ShutdownMode {
  std::string_view word;
  uint32_t flags;
};

constexpr ShutdownMode kModes[] = {
    {"POWEROFF", shutdown_value::poweroff},
    {"LOGOFF", shutdown_value::logoff},
    {"REBOOT", shutdown_value::reboot},
};

std::string hex_text(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

}  // namespace

uint32_t shutdown_flags(std::string_view mode) {
  const std::string word = keyword(mode);
  for (const ShutdownMode& entry : kModes)
    if (word == entry.word) return entry.flags;
  return shutdown_value::shutdown;
}

bool request_shutdown(ShutdownSystem& system, std::string_view mode) {
  const uint32_t flags = shutdown_flags(mode);
  // Without the privilege the system refuses on its own; nothing to report.
  if (system.open_process_token(shutdown_value::token_access) &&
      system.lookup_privilege_value(shutdown_value::privilege_name))
    system.adjust_token_privileges(shutdown_value::privilege_enabled);
  return system.exit_windows(flags, 0);
}

bool RecordingShutdown::open_process_token(uint32_t access) {
  record_ += "OpenProcessToken " + hex_text(access) + "\n";
  return privilege_ok_;
}

bool RecordingShutdown::lookup_privilege_value(const char* name) {
  record_ += std::string("LookupPrivilegeValueA ") + name + "\n";
  return privilege_ok_;
}

bool RecordingShutdown::adjust_token_privileges(uint32_t attributes) {
  record_ += "AdjustTokenPrivileges " + int_text(attributes) + "\n";
  return privilege_ok_;
}

bool RecordingShutdown::exit_windows(uint32_t flags, uint32_t reserved) {
  record_ += "ExitWindowsEx " + int_text(flags) + " " + int_text(reserved) + "\n";
  return exit_ok_;
}

}  // namespace kestrel
