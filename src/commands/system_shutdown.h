// The shutdown request of R044 without Windows: the keyword table, the
// order of the privilege steps and the final call, all through a seam
// (ShutdownSystem) so that tests can run the command against a fake that
// records the calls instead of ending the session.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

// ExitWindowsEx flags and the values of the privilege steps.
namespace shutdown_value {
inline constexpr uint32_t logoff = 0;    // EWX_LOGOFF
inline constexpr uint32_t shutdown = 1;  // EWX_SHUTDOWN
inline constexpr uint32_t reboot = 2;    // EWX_REBOOT
inline constexpr uint32_t poweroff = 8;  // EWX_POWEROFF
inline constexpr uint32_t token_access = 0x28;    // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
inline constexpr uint32_t privilege_enabled = 2;  // SE_PRIVILEGE_ENABLED
inline constexpr const char* privilege_name = "SeShutdownPrivilege";
}  // namespace shutdown_value

// The ExitWindowsEx flags for a mode keyword: trimmed, in capitals,
// "POWEROFF", "LOGOFF" or "REBOOT"; any other text (digits included)
// shuts down. The force flag is never added.
uint32_t shutdown_flags(std::string_view mode);

// The calls a shutdown request makes. Each returns true on success.
class ShutdownSystem {
 public:
  virtual ~ShutdownSystem() = default;
  // Opens the process token with `access` and keeps it for the next steps.
  virtual bool open_process_token(uint32_t access) = 0;
  // Looks up the privilege `name` on the local system and keeps its id.
  virtual bool lookup_privilege_value(const char* name) = 0;
  // Gives the kept privilege the attributes `attributes` in the kept token.
  virtual bool adjust_token_privileges(uint32_t attributes) = 0;
  virtual bool exit_windows(uint32_t flags, uint32_t reserved) = 0;
};

// Enables the shutdown privilege (each step only after the previous one
// succeeded; their outcome is otherwise ignored, so systems without
// security behave the same) and asks the system to end the session with
// the mode's flags. Returns what exit_windows returned.
bool request_shutdown(ShutdownSystem& system, std::string_view mode);

// A fake system that records every call as a line of text and answers
// every privilege step with `privilege_ok` and exit_windows with `exit_ok`.
class RecordingShutdown : public ShutdownSystem {
 public:
  RecordingShutdown(bool privilege_ok, bool exit_ok)
      : privilege_ok_(privilege_ok), exit_ok_(exit_ok) {}
  bool open_process_token(uint32_t access) override;
  bool lookup_privilege_value(const char* name) override;
  bool adjust_token_privileges(uint32_t attributes) override;
  bool exit_windows(uint32_t flags, uint32_t reserved) override;
  // One line per call, each ending in a line feed.
  const std::string& record() const { return record_; }

 private:
  bool privilege_ok_;
  bool exit_ok_;
  std::string record_;
};

}  // namespace kestrel
