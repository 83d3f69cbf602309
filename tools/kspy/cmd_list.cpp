// kspy list: one JSON line per top-level window.
#include "commands.h"
#include "json.h"
#include "processes.h"
#include "window_access.h"

namespace kspy {

WindowFilter WindowFilter::from(const Args& args) {
  WindowFilter filter;
  filter.exe = args.value(L"--exe");
  filter.pid = static_cast<DWORD>(args.number(L"--pid", 0));
  filter.hidden = args.has(L"--hidden");
  return filter;
}

bool WindowFilter::accepts(HWND hwnd, const std::wstring& process_name) const {
  if (!hidden && !::IsWindowVisible(hwnd)) return false;
  if (pid != 0 && window_process(hwnd) != pid) return false;
  return exe.empty() || exe_matches(exe, process_name);
}

int cmd_list(const Args& args) {
  WindowFilter filter = WindowFilter::from(args);
  filter.hidden = !args.has(L"--visible");  // list shows hidden windows unless asked not to
  const auto names = process_names();
  for (HWND hwnd : top_level_windows()) {
    const DWORD pid = window_process(hwnd);
    const auto name = names.find(pid);
    const std::wstring exe = name == names.end() ? std::wstring() : name->second;
    if (!filter.accepts(hwnd, exe)) continue;
    wchar_t title[1024] = L"";
    ::GetWindowTextW(hwnd, title, 1024);
    JsonLine()
        .text("hwnd", handle_text(hwnd))
        .text("class", utf8(class_name(hwnd)))
        .text("title", utf8(title))
        .number("pid", pid)
        .text("exe", utf8(exe))
        .boolean("visible", ::IsWindowVisible(hwnd) != FALSE)
        .print();
  }
  return 0;
}

}  // namespace kspy
