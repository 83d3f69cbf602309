// kspy state HWND: one JSON line with the window's common fields and what
// its class adds: the items, their count and the selection of a list box;
// the selection (caret) and read-only state of an edit control; the check
// state of a button.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "json.h"
#include "window_access.h"
#include "window_fields.h"

namespace kspy {

namespace {

constexpr UINT kTimeoutMs = 1000;

// SendMessageTimeout for a message whose answer is its result.
LRESULT ask(HWND hwnd, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_ABORTIFHUNG, kTimeoutMs, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

std::string json_list(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
  return out + "]";
}

// The item texts (LB_GETTEXT is carried across processes by the system)
// and the selected indices of a list box.
void list_box_state(JsonLine& line, HWND hwnd) {
  const LRESULT count = ask(hwnd, LB_GETCOUNT);
  std::vector<std::string> items;
  std::vector<std::string> selected;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ask(hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(i));
    std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const LRESULT copied =
        ask(hwnd, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    items.push_back("\"" + json_escape(utf8(text)) + "\"");
    if (ask(hwnd, LB_GETSEL, static_cast<WPARAM>(i)) > 0) selected.push_back(std::to_string(i));
  }
  line.number("count", count)
      .number("cursel", ask(hwnd, LB_GETCURSEL))
      .raw("selected", json_list(selected))
      .raw("items", json_list(items));
}

// Focus belongs to the window's own thread; another process reads it
// through the thread's GUI state.
bool has_focus(HWND hwnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = ::GetWindowThreadProcessId(hwnd, nullptr);
  return ::GetGUIThreadInfo(thread, &info) && info.hwndFocus == hwnd;
}

void edit_state(JsonLine& line, HWND hwnd) {
  const LRESULT selection = ask(hwnd, EM_GETSEL);
  const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  line.number("sel_start", LOWORD(selection))
      .number("sel_end", HIWORD(selection))
      .boolean("readonly", (style & ES_READONLY) != 0)
      .boolean("password", (style & ES_PASSWORD) != 0);
}

// The state of one window as one JSON line.
void print_state(HWND hwnd) {
  JsonLine line;
  window_fields(line, hwnd);
  const std::wstring cls = class_name(hwnd);
  if (same_text_nocase(cls, L"ListBox")) list_box_state(line, hwnd);
  else if (same_text_nocase(cls, L"Edit")) edit_state(line, hwnd);
  else if (same_text_nocase(cls, L"Button")) line.number("check", ask(hwnd, BM_GETCHECK));
  line.boolean("focused", has_focus(hwnd));
  line.print();
}

}  // namespace

// state HWND... [--tree]: one line per window; with --tree each window is
// followed by all its descendants, parents before their children.
int cmd_state(const Args& args) {
  if (args.positional.empty()) return usage("state needs window handles");
  for (const std::wstring& text : args.positional) {
    HWND hwnd = nullptr;
    if (!parse_handle(text, hwnd)) return usage("state needs window handles");
    if (!::IsWindow(hwnd)) {
      std::fprintf(stderr, "kspy: %ls is not a window\n", text.c_str());
      return 1;
    }
    print_state(hwnd);
    if (args.has(L"--tree"))
      for (HWND child : descendants(hwnd)) print_state(child);
  }
  return 0;
}

// metrics: the screen metrics that the runtime's window geometry uses.
int cmd_metrics(const Args&) {
  JsonLine()
      .number("cxscreen", ::GetSystemMetrics(SM_CXSCREEN))
      .number("cyscreen", ::GetSystemMetrics(SM_CYSCREEN))
      .number("cxfullscreen", ::GetSystemMetrics(SM_CXFULLSCREEN))
      .number("cyfullscreen", ::GetSystemMetrics(SM_CYFULLSCREEN))
      .number("cycaption", ::GetSystemMetrics(SM_CYCAPTION))
      .print();
  return 0;
}

}  // namespace kspy
