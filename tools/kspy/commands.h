// The kspy subcommands. Each returns the process exit code:
// 0 success, 1 time-out (nothing found), 2 bad usage, 3 button not found,
// 4 the box did not close after the press.
#pragma once

#include <windows.h>

#include <string>

#include "args.h"

namespace kspy {

// Which windows a command considers: --exe NAME (owning process's
// executable) and --pid N; hidden windows only with --hidden.
struct WindowFilter {
  std::wstring exe;
  DWORD pid = 0;
  bool hidden = false;

  static WindowFilter from(const Args& args);
  // True when `hwnd` passes; `names` is a process snapshot (process_names).
  bool accepts(HWND hwnd, const std::wstring& process_name) const;
};

int cmd_list(const Args& args);
int cmd_wait(const Args& args);
int cmd_box(const Args& args);
int cmd_children(const Args& args);
int cmd_kill(const Args& args);
int cmd_state(const Args& args);
int cmd_metrics(const Args& args);
int cmd_set_text(const Args& args);
int cmd_click(const Args& args);
int cmd_select(const Args& args);
int cmd_keys(const Args& args);
int cmd_move(const Args& args);
int cmd_close(const Args& args);
int cmd_clipboard(const Args& args);

}  // namespace kspy
