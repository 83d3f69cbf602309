// kspy wait --class C | --title T [--timeout MS]: prints the handle of the
// first matching top-level window once it exists (and is visible, unless
// --hidden).
#include <cstdio>

#include "commands.h"
#include "processes.h"
#include "window_access.h"

namespace kspy {

int cmd_wait(const Args& args) {
  const std::wstring want_class = args.value(L"--class");
  const std::wstring want_title = args.value(L"--title");
  if (!args.has(L"--class") && !args.has(L"--title")) return usage("wait needs --class or --title");
  const long long timeout = args.number(L"--timeout", 10000);
  if (timeout < 0) return usage("--timeout needs milliseconds");
  const WindowFilter filter = WindowFilter::from(args);
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(timeout);
  do {
    const auto names = filter.exe.empty() ? std::map<DWORD, std::wstring>() : process_names();
    for (HWND hwnd : top_level_windows()) {
      if (args.has(L"--class") && !same_text_nocase(class_name(hwnd), want_class)) continue;
      if (args.has(L"--title")) {
        wchar_t title[1024] = L"";
        ::GetWindowTextW(hwnd, title, 1024);
        if (!same_text_nocase(title, want_title)) continue;
      }
      const auto name = names.find(window_process(hwnd));
      if (!filter.accepts(hwnd, name == names.end() ? std::wstring() : name->second)) continue;
      std::printf("%s\n", handle_text(hwnd).c_str());
      std::fflush(stdout);
      return 0;
    }
    ::Sleep(50);
  } while (::GetTickCount64() < end);
  std::fprintf(stderr, "kspy: no such window within %lld ms\n", timeout);
  return 1;
}

}  // namespace kspy
