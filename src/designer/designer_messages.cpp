// The designer's rows of the window procedure: which messages of a script
// dialog are recorded as which events in the completion state.
#include "designer/designer_messages.h"

#include "commands/designer_rules.h"
#include "designer/element_table.h"
#include "designer/event_record.h"
#include "dialogs/completion.h"

namespace kestrel::win32 {

namespace {

namespace rules = kestrel::designer;
using designer::Element;

bool recorded_since_wait = false;

// Records event `kind` for element `index`: dialog result 2000 + index and
// the done flag that ends the wait.
void record(int kind, int index) {
  Completion& state = completion();
  state.event_kind = kind;
  state.result = rules::kElementIdBase + index;
  state.done = true;
  recorded_since_wait = true;
}

// Records `kind` for element `index` when that element exists, holds a
// window and has the switch of `kind` on.
void record_if_on(int kind, int index) {
  const Element* element = designer::element_at(index);
  if (element != nullptr && element->window != nullptr && element->event_on(kind)) {
    record(kind, index);
  }
}

// The element a command identifier names, or -1 for identifiers below
// 2000 or beyond the table.
int element_of_id(WPARAM wparam) {
  const int id = LOWORD(wparam);
  if (id < rules::kElementIdBase) return -1;
  const int index = id - rules::kElementIdBase;
  return designer::element_at(index) != nullptr ? index : -1;
}

// WM_COMMAND: clicks (code 0) of controls and menu items, Enter and
// Escape (commands 1 and 2) for the dialog, changes and double clicks.
void on_command(int dialog, WPARAM wparam) {
  const int code = HIWORD(wparam);
  const int element = element_of_id(wparam);
  if (code == 0) {
    const Element* target = designer::element_at(element);
    if (target != nullptr && target->window != nullptr && target->event_on(rules::kEventClick)) {
      record(rules::kEventClick, element);
      return;
    }
    const int id = LOWORD(wparam);
    if (id == IDOK) record_if_on(rules::kEventOk, dialog);
    if (id == IDCANCEL) record_if_on(rules::kEventCancel, dialog);
    return;
  }
  if (element < 0) return;
  if (code == 1 || code == 0x0300) record_if_on(rules::kEventChange, element);
  if (code == 2) record_if_on(rules::kEventDblClick, element);
}

// Lays a dialog's status bar out again for the new client size carried by
// WM_SIZE: the bar keeps its height and spans the bottom edge.
void lay_out_status_bar(Element& dialog, LPARAM lparam) {
  designer::Attachment* bar = designer::find_attachment(dialog, designer::kAttachStatusBar);
  if (bar == nullptr || bar->handle() == nullptr) return;
  HWND window = static_cast<HWND>(bar->handle());
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int bar_height = rect.bottom - rect.top;
  const int width = LOWORD(lparam);
  const int height = HIWORD(lparam);
  ::MoveWindow(window, 0, height - 10, width, height, TRUE);
  ::MoveWindow(window, 0, bar_height, width, height - bar_height + 1, TRUE);
}

}  // namespace

namespace designer {

void begin_event_wait() { recorded_since_wait = false; }

bool event_recorded_since_wait() { return recorded_since_wait; }

}  // namespace designer

bool designer_handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                             LRESULT& result) {
  const std::optional<int> found = designer::element_of_window(window);
  if (!found) return false;
  const int index = *found;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      record_if_on(rules::kEventClick, index);
      break;
    case WM_MOUSEMOVE:
      record_if_on(rules::kEventMouseMove, index);
      break;
    case WM_MOVE:
      record_if_on(rules::kEventMove, index);
      break;
    case WM_SIZE:
      lay_out_status_bar(*designer::element_at(index), lparam);
      record_if_on(rules::kEventSize, index);
      break;
    case WM_CLOSE:  // the dialog stays; the script decides what follows
      record_if_on(rules::kEventClose, index);
      break;
    case WM_COMMAND:
      on_command(index, wparam);
      break;
    default:
      return false;
  }
  result = 0;
  return true;
}

bool is_designer_window(HWND window) {
  for (const Element& element : designer::elements()) {
    if (element.window == window && element.type == rules::kTypeDialog) return true;
  }
  return false;
}

}  // namespace kestrel::win32
