#include "commands/system_shutdown_win32.h"

#include <windows.h>

#include "commands/system_shutdown.h"
#include "win32/handles.h"
#include "win32/win32_host.h"

namespace kestrel::win32 {

namespace {

// The calls of a shutdown request as Windows makes them.
class WindowsShutdown : public ShutdownSystem {
 public:
  bool open_process_token(uint32_t access) override {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), access, &token)) return false;
    token_.reset(token);
    return true;
  }
  bool lookup_privilege_value(const char* name) override {
    return ::LookupPrivilegeValueA(nullptr, name, &privilege_) != 0;
  }
  bool adjust_token_privileges(uint32_t attributes) override {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = privilege_;
    privileges.Privileges[0].Attributes = attributes;
    return ::AdjustTokenPrivileges(token_.get(), FALSE, &privileges, 0, nullptr, nullptr) != 0;
  }
  bool exit_windows(uint32_t flags, uint32_t reserved) override {
    return ::ExitWindowsEx(flags, reserved) != 0;
  }

 private:
  UniqueHandleObject token_;
  LUID privilege_{};
};

}  // namespace

bool shut_down_system(std::string_view mode) {
  const std::string fake = host().environment_value(kFakeShutdownVariable);
  if (fake == "accept" || fake == "refuse") {
    RecordingShutdown recorder(true, fake == "accept");
    const bool ok = request_shutdown(recorder, mode);
    host().write_stream(1, recorder.record());
    return ok;
  }
  WindowsShutdown system;
  return request_shutdown(system, mode);
}

}  // namespace kestrel::win32
