// R058: the tray icon with its tip and popup menu, shown while the command
// waits for a click on it.
#include <windows.h>

#include <string>

#include "commands/hotkey_rules.h"
#include "core/runtime.h"
#include "dialogs/completion.h"
#include "dialogs/dialog_support.h"
#include "dialogs/tray_state.h"
#include "dialogs/window_class.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "win32/handles.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

using win32::completion;
using win32::tray_state;

// The icon from the file in variable 39 (owned), or the built-in icon
// (resource 1000, shared, never destroyed) when the variable is empty or
// the file does not load.
struct TrayIcon {
  win32::UniqueIcon from_file;
  HICON shown = nullptr;
};

void load_icon(const std::string& file, TrayIcon& icon) {
  if (!file.empty())
    icon.from_file.reset(static_cast<HICON>(
        ::LoadImageA(nullptr, file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
  icon.shown = icon.from_file ? icon.from_file.get()
                              : ::LoadIconA(win32::module_instance(), MAKEINTRESOURCEA(1000));
}

// The popup menu of the items of `list`; none for an empty list.
win32::UniqueMenu build_menu(const std::string& list, const std::string& separators) {
  if (list.empty()) return {};
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  for (const tray::MenuItem& item : tray::menu_items(list, separators)) {
    const UINT_PTR id = static_cast<UINT_PTR>(item.number);
    if (item.separator) ::AppendMenuA(menu.get(), MF_SEPARATOR, id, "");
    else ::AppendMenuA(menu.get(), MF_STRING, id, item.text.c_str());
  }
  return menu;
}

// Serves every window of the thread until the done flag is set or no
// more messages can be read; no dialog-message processing here.
void run_tray_loop() {
  MSG message;
  while (!completion().done && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// R058 target, tip text, menu items: shows the icon, waits for a click on
// it (or any other event that ends a wait) and stores the chosen item's
// text, or an empty text when none was chosen. Variable 0 is not changed.
int tray_icon(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string tip = eval_operand(rt);
  const std::string list = eval_operand(rt);
  completion().done = false;

  TrayIcon icon;
  load_icon(win32::system_text(rt, "39"), icon);
  const std::string separators = win32::system_text(rt, "44");
  win32::UniqueMenu menu = build_menu(list, separators);

  win32::TrayState& state = tray_state();
  state.icon = icon.shown;
  state.tip = tray::fit_tip(tip);
  state.menu = menu.get();
  win32::add_tray_icon(state);
  state.active = true;
  state.choice = -1;

  run_tray_loop();

  state.active = false;
  win32::remove_tray_icon();
  const int choice = state.choice;
  state.icon = nullptr;
  state.menu = nullptr;
  set_variable(rt, target, tray::chosen_item(list, separators, choice), rt.area);
  completion().result = -1;
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {{"R058", tray_icon}};

}  // namespace

const OpcodeGroup kTrayOpcodes{kEntries};

}  // namespace kestrel
