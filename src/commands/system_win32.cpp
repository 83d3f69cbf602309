// System control: shutdown and logoff, workstation lock, media control
// commands and pauses: R044 R045 R029 R036.
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "commands/system_shutdown_win32.h"
#include "core/runtime.h"
#include "core/text.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "win32/handles.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

void set_result(Runtime& rt, std::string value) { set_variable(rt, "0", std::move(value), rt.area); }
void set_result(Runtime& rt, bool ok) { set_result(rt, std::string(ok ? "0" : "-1")); }

// R044 mode: shuts down, restarts, powers off or logs off.
int shut_down(Runtime& rt) {
  const std::string mode = eval_operand(rt);
  set_result(rt, win32::shut_down_system(mode));
  return kStepNext;
}

using LockFunction = BOOL(WINAPI*)();

// R045: locks the workstation with LockWorkStation, looked up at run time
// because older systems lack it; "-1" without it or when it refuses.
int lock_workstation(Runtime& rt) {
  win32::UniqueModule user32(::LoadLibraryA("user32.dll"));
  bool ok = false;
  if (user32) {
    // The cast from the generic FARPROC is how GetProcAddress is used.
    auto lock = reinterpret_cast<LockFunction>(
        reinterpret_cast<void*>(::GetProcAddress(user32.get(), "LockWorkStation")));
    ok = lock != nullptr && lock() != FALSE;
  }
  set_result(rt, ok);
  return kStepNext;
}

// R029 command: sends it to the media control interface; the result code
// is "-1" on an error, else the reply, or "0" for an empty reply.
int media_command(Runtime& rt) {
  const std::string command = eval_operand(rt);
  char reply[2048] = {};
  if (::mciSendStringA(command.c_str(), reply, sizeof reply, nullptr) != 0) {
    set_result(rt, false);
    return kStepNext;
  }
  reply[sizeof reply - 1] = '\0';
  set_result(rt, reply[0] == '\0' ? std::string("0") : std::string(reply));
  return kStepNext;
}

// R036 milliseconds: suspends the runtime (no messages served) when the
// number is above 0; zero, negative and non-numeric texts return at once.
int pause(Runtime& rt) {
  const int32_t milliseconds = text_to_int(eval_operand(rt));
  if (milliseconds > 0) ::Sleep(static_cast<DWORD>(milliseconds));
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R044", shut_down},
    {"R045", lock_workstation},
    {"R029", media_command},
    {"R036", pause},
};

}  // namespace

const OpcodeGroup kSystemOpcodes{kEntries};

}  // namespace kestrel
