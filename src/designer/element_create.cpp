// RD00: creating a dialog or a control of the control table.
#include <windows.h>

#include "commands/designer_rules.h"
#include "core/text.h"
#include "designer/designer_access.h"
#include "designer/designer_handlers.h"
#include "dialogs/window_class.h"
#include "varsys/eval.h"

namespace kestrel::win32::designer {

namespace {

namespace rules = kestrel::designer;

// Set at start: the next radio button starts a new group. Any other
// element created sets it again, a radio button clears it.
bool radio_group_pending = true;

// The window of the element that `name` places its control in: the
// element named by the text before the last ':'. nullptr when there is
// none (the control's creation then fails, as a child needs a parent).
HWND parent_window(std::string_view name) {
  const std::optional<std::string_view> parent = rules::parent_name(name);
  if (!parent) return nullptr;
  const std::optional<int> index = find_element(*parent);
  return index ? element_at(*index)->window : nullptr;
}

// Creates the control of `kind` for element `index` at the script
// geometry `g` inside `parent`.
HWND create_control(const rules::ControlKind& kind, int index, const rules::Geometry& g,
                    HWND parent) {
  DWORD style = kind.style;
  if (kind.type == rules::kTypeRadio) {
    if (radio_group_pending) style |= rules::kGroupStyle;
    radio_group_pending = false;
  }
  // The control id travels in the menu parameter of a child window.
  HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(element_id(index)));
  HWND window = ::CreateWindowExA(kind.ex_style, kind.class_name, "", style, g.x - 1, g.y - 1,
                                  g.width - 1, g.height - 1, parent, id, module_instance(),
                                  nullptr);
  if (window == nullptr) return nullptr;
  if (kind.lift_text_limit) ::SendMessageA(window, EM_LIMITTEXT, 0xFFFFFFFF, 0);
  ::SendMessageA(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return window;
}

// Creates a hidden top-level dialog of the runtime's class; its height
// includes the theme allowance.
HWND create_dialog(const rules::Geometry& g) {
  return ::CreateWindowExA(0, "ksw", "", WS_OVERLAPPEDWINDOW, g.x - 1, g.y - 1, g.width - 1,
                           g.height - 1 + theme_extra_height(), nullptr, nullptr,
                           module_instance(), nullptr);
}

// The switches a new element starts with: close for a dialog, click for
// buttons, options and radio buttons.
void set_default_switches(Element& element) {
  element.switches.fill(false);
  if (element.type == rules::kTypeDialog) {
    element.switches[rules::kEventClose - 1] = true;
  } else if (element.type == rules::kTypeButton || element.type == rules::kTypeOption ||
             element.type == rules::kTypeRadio) {
    element.switches[rules::kEventClick - 1] = true;
  }
}

}  // namespace

// RD00 name, type, geometry. Fails ("-1") when the name is taken or the
// geometry has fewer than four fields; a control whose parent is missing
// keeps its record without a window and reports "0".
int create_element(Runtime& rt) {
  const std::string name = eval_operand(rt);
  const std::string type = keyword(eval_operand(rt));
  const std::string geometry = eval_operand(rt);

  if (find_element(name)) {
    set_result(rt, false);
    return kStepNext;
  }
  HWND parent = parent_window(name);
  const std::optional<rules::Geometry> g = rules::parse_geometry(geometry, list_separator(rt));
  if (!g) {
    set_result(rt, false);
    return kStepNext;
  }
  ensure_shutdown_release();
  const int index = new_element(name);
  if (!rules::is_radio_keyword(type)) radio_group_pending = true;

  const rules::ControlKind* kind = rules::find_control_kind(type);
  HWND window = kind != nullptr ? create_control(*kind, index, *g, parent) : create_dialog(*g);
  Element& element = *element_at(index);
  element.window = window;
  element.type = kind != nullptr ? kind->type : rules::kTypeDialog;
  set_default_switches(element);
  set_result(rt, true);
  return kStepNext;
}

}  // namespace kestrel::win32::designer
