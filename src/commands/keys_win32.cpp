// R033: activates a window and types a key text into it through
// synthesised keyboard events. The key language is parsed by key_text; this
// unit finds the window and turns the events into system calls.
#include <windows.h>

#include <string>

#include "commands/key_text.h"
#include "core/runtime.h"
#include "core/text.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

// The current layout's key for a character, as VkKeyScanA reports it.
int16_t layout_key(char character) { return ::VkKeyScanA(character); }

// Sends one character of the ANSI code page as Unicode keyboard input.
void send_unicode(char character, bool down) {
  wchar_t wide = 0;
  if (::MultiByteToWideChar(CP_ACP, 0, &character, 1, &wide, 1) != 1) return;
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = static_cast<WORD>(wide);
  input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
  ::SendInput(1, &input, sizeof input);
}

// Types `keys`: every event of the key text, in order, without delays.
void send_keys(const std::string& keys) {
  for (const KeyEvent& event : key_events(keys, layout_key)) {
    if (event.unicode)
      send_unicode(event.character, event.down);
    else
      ::keybd_event(event.code, 0, event.down ? 0 : KEYEVENTF_KEYUP, 0);
  }
}

// The window named by a window operand: a top-level window with that
// title, else the special names DESKTOP, FOREGROUND and ACTIVE (found even
// when the system returns no window for them), else a top-level window of
// that class. False when none matches.
bool find_target_window(const std::string& name, HWND& window) {
  window = ::FindWindowA(nullptr, name.c_str());
  if (window) return true;
  const std::string upper = upper_ascii(name);
  if (upper == "DESKTOP") {
    window = ::GetDesktopWindow();
    return true;
  }
  if (upper == "FOREGROUND") {
    window = ::GetForegroundWindow();
    return true;
  }
  if (upper == "ACTIVE") {
    window = ::GetActiveWindow();
    return true;
  }
  window = ::FindWindowA(name.c_str(), nullptr);
  return window != nullptr;
}

// R033: window, keys. "0" in the result code when the window was found
// (even if the system refuses to bring it forward), "-1" otherwise.
int activate_and_send_keys(Runtime& rt) {
  const std::string name = eval_operand(rt);
  const std::string keys = eval_operand(rt);
  HWND window = nullptr;
  if (!find_target_window(name, window)) {
    set_variable(rt, "0", "-1", rt.area);
    return kStepNext;
  }
  set_variable(rt, "0", "0", rt.area);
  ::SetForegroundWindow(window);
  ::ShowWindow(window, SW_SHOWNORMAL);
  send_keys(keys);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {{"R033", activate_and_send_keys}};

}  // namespace

const OpcodeGroup kKeyOpcodes{kEntries};

}  // namespace kestrel
