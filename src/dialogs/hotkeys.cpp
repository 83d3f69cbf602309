// The hot-key commands: RHKN registers a system-wide hot key under a name
// on the owner window, RHKD deletes one, RHKW waits until a hot key is
// pressed or the time-out passes.
#include <windows.h>

#include <string>

#include "commands/designer_rules.h"
#include "commands/hotkey_rules.h"
#include "core/runtime.h"
#include "core/text.h"
#include "dialogs/completion.h"
#include "dialogs/hotkey_table.h"
#include "dialogs/window_class.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "win32/platform_groups.h"
#include "win32/win32_host.h"

namespace kestrel {

namespace {

using win32::completion;
using win32::hotkey_table;

constexpr UINT_PTR kWaitTimer = 1999;
// The event kind while no event of interest has been recorded.
constexpr int kNoEvent = -1;

void set_result(Runtime& rt, bool ok) { set_variable(rt, "0", ok ? "0" : "-1", rt.area); }

int16_t scan_key(char c) { return ::VkKeyScanA(c); }

// Every live hot key is unregistered when the run ends; registered once,
// with the first hot key.
void ensure_release_at_shutdown() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  win32::host().on_shutdown([] {
    for (int number : hotkey_table().live_numbers()) ::UnregisterHotKey(win32::owner_window(), number);
  });
}

// RHKN name, key, modifiers (a comma or a colon may follow the name, a
// comma the key): "0" in variable 0 when the hot key is registered under
// the next number, "-1" for a name in use or a combination the system
// refuses.
int new_hotkey(Runtime& rt) {
  const std::string name = eval_operand(rt);
  hotkeys::skip_operand_separator(rt.code, ",:");
  const std::string key = eval_operand(rt);
  hotkeys::skip_operand_separator(rt.code, ",");
  const std::string modifier_text = eval_operand(rt);
  hotkeys::HotkeyTable& table = hotkey_table();
  if (table.find(name) >= 0) {
    set_result(rt, false);
    return kStepNext;
  }
  const hotkeys::HotkeyKey code = hotkeys::key_code(key, scan_key);
  const unsigned modifiers = hotkeys::modifiers(modifier_text) | code.modifiers;
  const bool registered =
      code.valid && ::RegisterHotKey(win32::owner_window(), table.next_number(), modifiers,
                                     static_cast<UINT>(code.code)) != FALSE;
  if (!registered) {
    set_result(rt, false);
    return kStepNext;
  }
  table.append(name);
  ensure_release_at_shutdown();
  set_result(rt, true);
  return kStepNext;
}

// RHKD name: unregisters the live hot key with exactly this name; its
// number is not given out again. "-1" when there is none.
int delete_hotkey(Runtime& rt) {
  const std::string name = eval_operand(rt);
  hotkeys::HotkeyTable& table = hotkey_table();
  const int number = table.empty() ? -1 : table.find(name);
  if (number < 0) {
    set_result(rt, false);
    return kStepNext;
  }
  ::UnregisterHotKey(win32::owner_window(), number);
  table.remove(number);
  set_result(rt, true);
  return kStepNext;
}

// The wait timer on the owner window, killed when the wait ends.
class WaitTimer {
 public:
  explicit WaitTimer(int milliseconds) {
    if (milliseconds > 0)
      armed_ = ::SetTimer(win32::owner_window(), kWaitTimer, static_cast<UINT>(milliseconds),
                          nullptr) != 0;
  }
  ~WaitTimer() {
    if (armed_) ::KillTimer(win32::owner_window(), kWaitTimer);
  }
  WaitTimer(const WaitTimer&) = delete;
  WaitTimer& operator=(const WaitTimer&) = delete;

 private:
  bool armed_ = false;
};

bool hotkey_or_timer() {
  const int kind = completion().event_kind;
  return kind == win32::kEventHotkey || kind == win32::kEventTimer;
}

// Serves every window of the thread (with the dialog-message processing
// of the active window, as the event wait does) until the done flag is
// set by a hot key or a timer, or the quit message arrives. Any other
// event that sets the done flag is dropped and the wait goes on.
void run_hotkey_loop() {
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    HWND active = ::GetActiveWindow();
    if (active == nullptr || !::IsDialogMessageA(active, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (!completion().done) continue;
    if (hotkey_or_timer()) return;
    completion().done = false;
  }
}

// RHKW target, time-out: waits (without limit for 0 or less) for a hot
// key and stores "hotkey_" and its name, or an empty text after the
// time-out. The result code is not changed.
int wait_for_hotkey(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const int timeout = text_to_int(eval_operand(rt));
  {
    WaitTimer timer(timeout);
    completion().done = false;
    completion().event_kind = kNoEvent;  // a kind left by an earlier event must not end it
    run_hotkey_loop();
  }
  const win32::Completion& state = completion();
  std::string label;
  if (state.event_kind == win32::kEventHotkey)
    label = designer::event_label(state.event_kind, state.result, nullptr,
                                  win32::hotkey_name(state.result));
  set_variable(rt, target, label, rt.area);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"RHKN", new_hotkey},
    {"RHKD", delete_hotkey},
    {"RHKW", wait_for_hotkey},
};

}  // namespace

const OpcodeGroup kHotkeyOpcodes{kEntries};

}  // namespace kestrel
