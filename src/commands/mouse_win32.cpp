// R059: moves the mouse pointer to a position in script coordinates and
// sends the button events of an action there.
#include <windows.h>

#include <string>

#include "commands/mouse_actions.h"
#include "core/runtime.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

DWORD button_flag(MouseButtonEvent event) {
  switch (event) {
    case MouseButtonEvent::LeftDown: return MOUSEEVENTF_LEFTDOWN;
    case MouseButtonEvent::LeftUp: return MOUSEEVENTF_LEFTUP;
    case MouseButtonEvent::RightDown: return MOUSEEVENTF_RIGHTDOWN;
    case MouseButtonEvent::RightUp: return MOUSEEVENTF_RIGHTUP;
  }
  return 0;
}

// R059: action, position. The pointer moves for every action; the button
// events follow at the pointer's position. The result code is not changed.
int move_and_click(Runtime& rt) {
  const std::string action = eval_operand(rt);
  const std::string position = eval_operand(rt);
  std::string separators;
  get_variable(rt, "44", separators, rt.area);
  const ScreenPoint point = mouse_position(position, separators);
  ::SetCursorPos(point.x, point.y);
  for (MouseButtonEvent event : mouse_action_events(action))
    ::mouse_event(button_flag(event), 0, 0, 0, 0);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {{"R059", move_and_click}};

}  // namespace

const OpcodeGroup kMouseOpcodes{kEntries};

}  // namespace kestrel
