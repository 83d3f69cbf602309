// kspy box [--timeout MS] [--press TEXT | --id N] [--bm-click]: waits for a
// visible dialog of class "#32770" (a message box), prints it as one JSON
// line (caption, the texts of its static controls joined by line breaks,
// its buttons), then presses the button: WM_COMMAND (id, BN_CLICKED) posted
// to the dialog, or with --bm-click BM_CLICK posted to the button. After a
// press it waits until the box is gone, so a following `kspy box` sees the
// next one.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "json.h"
#include "processes.h"
#include "window_access.h"

namespace kspy {

namespace {

struct Button {
  HWND hwnd;
  int id;
  std::wstring text;
};

HWND find_box(const WindowFilter& filter) {
  const auto names = filter.exe.empty() ? std::map<DWORD, std::wstring>() : process_names();
  for (HWND hwnd : top_level_windows()) {
    if (class_name(hwnd) != L"#32770") continue;
    const auto name = names.find(window_process(hwnd));
    if (filter.accepts(hwnd, name == names.end() ? std::wstring() : name->second)) return hwnd;
  }
  return nullptr;
}

// "&Yes" and "yes" name the same button.
std::wstring without_ampersands(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text)
    if (c != L'&') out.push_back(c);
  return out;
}

}  // namespace

int cmd_box(const Args& args) {
  const long long timeout = args.number(L"--timeout", 10000);
  const long long press_id = args.number(L"--id", -1);
  if (timeout < 0) return usage("--timeout needs milliseconds");
  if (args.has(L"--id") && press_id < 0) return usage("--id needs a control id");
  const WindowFilter filter = WindowFilter::from(args);

  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(timeout);
  HWND box = nullptr;
  while ((box = find_box(filter)) == nullptr) {
    if (::GetTickCount64() >= end) {
      std::fprintf(stderr, "kspy: no message box within %lld ms\n", timeout);
      return 1;
    }
    ::Sleep(50);
  }
  ::Sleep(100);  // let the dialog finish painting its controls

  wchar_t caption[1024] = L"";
  ::GetWindowTextW(box, caption, 1024);
  std::wstring text;
  std::vector<Button> buttons;
  for (HWND child : descendants(box)) {
    const std::wstring cls = class_name(child);
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    if (same_text_nocase(cls, L"Static") && (style & SS_TYPEMASK) != SS_ICON) {
      const std::wstring t = window_text(child);
      if (t.empty()) continue;
      if (!text.empty()) text += L"\n";
      text += t;
    } else if (same_text_nocase(cls, L"Button")) {
      buttons.push_back({child, ::GetDlgCtrlID(child), window_text(child)});
    }
  }
  std::string button_json = "[";
  for (const Button& b : buttons) {
    if (button_json.size() > 1) button_json += ',';
    button_json += JsonLine().text("text", utf8(b.text)).number("id", b.id).str();
  }
  button_json += "]";
  const DWORD pid = window_process(box);
  const auto names = process_names();
  const auto name = names.find(pid);
  JsonLine()
      .text("hwnd", handle_text(box))
      .text("caption", utf8(caption))
      .text("text", utf8(text))
      .raw("buttons", button_json)
      .number("pid", pid)
      .text("exe", utf8(name == names.end() ? std::wstring() : name->second))
      .print();

  if (!args.has(L"--press") && !args.has(L"--id")) return 0;
  const Button* chosen = nullptr;
  const std::wstring want = without_ampersands(args.value(L"--press"));
  for (const Button& b : buttons) {
    if (args.has(L"--id") ? b.id == press_id : same_text_nocase(without_ampersands(b.text), want)) {
      chosen = &b;
      break;
    }
  }
  if (chosen == nullptr) {
    if (!args.has(L"--id")) {
      std::fprintf(stderr, "kspy: the box has no button \"%s\"\n", utf8(want).c_str());
      return 3;
    }
    // A control id the box does not show (IDCANCEL of a box without a
    // Cancel button, say) still goes to the dialog as a command.
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(press_id, BN_CLICKED), 0);
  } else if (args.has(L"--bm-click")) {
    ::PostMessageW(chosen->hwnd, BM_CLICK, 0, 0);
  } else {
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(chosen->id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(chosen->hwnd));
  }
  const ULONGLONG close_end = ::GetTickCount64() + 10000;
  while (::IsWindow(box) && ::IsWindowVisible(box)) {
    if (::GetTickCount64() >= close_end) {
      std::fprintf(stderr, "kspy: the box did not close after the press\n");
      return 4;
    }
    ::Sleep(20);
  }
  return 0;
}

}  // namespace kspy
