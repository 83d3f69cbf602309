// The entry point of the runtime: registers the window class, creates the
// built-in windows, gives the system variables their start values, loads
// the code attached to the executable and runs it.
#include <windows.h>

#include "core/loop.h"
#include "core/runtime.h"
#include "dialogs/window_class.h"
#include "varsys/system_variables.h"
#include "win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  using namespace kestrel;
  if (!win32::register_window_class(instance)) return 0;
  win32::probe_theme();
  win32::create_builtin_windows(instance);
  static win32::Win32Host host(command_line);
  win32::set_host(&host);
  static Runtime rt(host);
  init_system_variables(rt);
  switch (load_image(rt)) {
    case LoadStatus::loaded: break;
    case LoadStatus::no_code: return 0;
    case LoadStatus::fatal: ::ExitProcess(0);
  }
  return run_program(rt);
}
