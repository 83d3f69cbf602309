// RD03: handing control to the user until an event of a script dialog, a
// hot key or the time-out ends the wait.
#include <windows.h>

#include "commands/designer_rules.h"
#include "core/text.h"
#include "designer/designer_access.h"
#include "designer/designer_handlers.h"
#include "designer/event_record.h"
#include "dialogs/completion.h"
#include "dialogs/hotkey_table.h"
#include "dialogs/window_class.h"
#include "varsys/eval.h"
#include "varsys/store.h"

namespace kestrel::win32::designer {

namespace {

namespace rules = kestrel::designer;

constexpr UINT_PTR kWaitTimer = 1999;

// The wait timer on the owner window, killed when the wait ends.
class WaitTimer {
 public:
  explicit WaitTimer(int milliseconds) {
    if (milliseconds > 0) {
      armed_ = ::SetTimer(owner_window(), kWaitTimer, static_cast<UINT>(milliseconds),
                          nullptr) != 0;
    }
  }
  ~WaitTimer() {
    if (armed_) ::KillTimer(owner_window(), kWaitTimer);
  }
  WaitTimer(const WaitTimer&) = delete;
  WaitTimer& operator=(const WaitTimer&) = delete;

 private:
  bool armed_ = false;
};

// Serves every window of the thread until the done flag is set or the
// quit message arrives. The active window gets the dialog-message
// processing: Tab moves between controls, Enter and Escape become the
// commands 1 and 2.
void run_event_loop() {
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    HWND active = ::GetActiveWindow();
    if (active == nullptr || !::IsDialogMessageA(active, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (completion().done) return;
  }
}

// The label of what ended the wait. Element events count only when one
// was recorded during this wait; an end by another window leaves an empty
// label rather than a stale one.
std::string label_of_completion() {
  const Completion& state = completion();
  if (state.event_kind == rules::kEventHotkey) {
    return rules::event_label(state.event_kind, state.result, nullptr, hotkey_name(state.result));
  }
  if (!event_recorded_since_wait()) return {};
  const Element* element = element_at(state.result - rules::kElementIdBase);
  const char* name = element != nullptr && element->name ? element->name->c_str() : nullptr;
  return rules::event_label(state.event_kind, state.result, name, nullptr);
}

}  // namespace

// RD03 target, time-out: waits (without limit for 0 or less) and stores
// the event label. The result code is not changed.
int wait_for_event(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const int timeout = text_to_int(eval_operand(rt));
  {
    WaitTimer timer(timeout);
    completion().done = false;  // events from before the wait are dropped
    begin_event_wait();
    run_event_loop();
  }
  set_variable(rt, target, label_of_completion(), rt.area);
  return kStepNext;
}

}  // namespace kestrel::win32::designer
