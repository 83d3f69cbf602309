// shell_user: plays the notification area, the keyboard and the user of the
// common dialogs for the tray, hot-key and file-dialog cases. Built by
// shell_user.py; every command prints one line and exits 0 on success,
// 1 when what it waited for did not come within its time limit.
//
//   shell_user post EXE MSG WPARAM LPARAM   post to the program's owner window
//   shell_user send EXE MSG WPARAM LPARAM   send it (returns once handled)
//   shell_user taskbar                      broadcast "TaskbarCreated"
//   shell_user tray-remove EXE              remove the program's icon (id 1)
//                                           as a restarted shell has lost it
//   shell_user tray-count N MS              wait until N tray icons are shown
//   shell_user menu-keys EXE VK...          keys posted to the open popup menu
//   shell_user menu-outside EXE             a real click away from the menu
//   shell_user chord VK...                  press the keys together, release
//   shell_user click EXE TITLE ID           BM_CLICK posted to control ID
//                                           (a descendant) of the window
//                                           with this title
//   shell_user press EXE TITLE ID           left button down and up posted
//                                           to that control
//   shell_user dialog EXE [TEXT] ID         the program's "#32770" dialog:
//                                           TEXT into its file-name field
//                                           (when given), then command ID
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWaitMs = 60000;

std::set<DWORD> program_pids(const char* exe) {
  std::set<DWORD> pids;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return pids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
    if (::lstrcmpiA(entry.szExeFile, exe) == 0) pids.insert(entry.th32ProcessID);
  ::CloseHandle(snapshot);
  return pids;
}

struct Search {
  std::set<DWORD> pids;
  const char* cls;
  bool need_visible;
  bool childless;
  HWND found;
};

BOOL CALLBACK has_child(HWND, LPARAM flag) {
  *reinterpret_cast<bool*>(flag) = true;
  return FALSE;
}

BOOL CALLBACK match_top_level(HWND window, LPARAM data) {
  Search& s = *reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (!s.pids.count(pid)) return TRUE;
  char cls[64] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  if (::lstrcmpiA(cls, s.cls) != 0) return TRUE;
  if (s.need_visible && !::IsWindowVisible(window)) return TRUE;
  if (s.childless) {
    bool any = false;
    ::EnumChildWindows(window, has_child, reinterpret_cast<LPARAM>(&any));
    if (any) return TRUE;
  }
  s.found = window;
  return FALSE;
}

// Polls (every 50 ms, up to the time limit) for a top-level window of the
// program with class `cls`.
HWND wait_window(const char* exe, const char* cls, bool visible, bool childless) {
  const DWORD start = ::GetTickCount();
  do {
    Search s{program_pids(exe), cls, visible, childless, nullptr};
    ::EnumWindows(match_top_level, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    ::Sleep(50);
  } while (::GetTickCount() - start < kWaitMs);
  return nullptr;
}

// The owner window is the one window of class "ksw" without children.
HWND owner(const char* exe) { return wait_window(exe, "ksw", false, true); }

BOOL CALLBACK count_icons(HWND window, LPARAM count) {
  char cls[64] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  if (std::strcmp(cls, "__winex11_tray_icon") == 0 && ::IsWindowVisible(window))
    ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK count_in_trays(HWND window, LPARAM count) {
  char cls[64] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  if (std::strcmp(cls, "__winex11_standalone_tray") == 0)
    ::EnumChildWindows(window, count_icons, count);
  else
    count_icons(window, count);
  return TRUE;
}

int tray_icons() {
  int count = 0;
  ::EnumWindows(count_in_trays, reinterpret_cast<LPARAM>(&count));
  return count;
}

int fail(const char* what) {
  std::printf("not found: %s\n", what);
  return 1;
}

UINT number(const char* text) { return static_cast<UINT>(std::strtoul(text, nullptr, 0)); }

int message(bool send, char** argv) {
  HWND window = owner(argv[2]);
  if (!window) return fail("owner window");
  const UINT msg = number(argv[3]);
  const WPARAM wparam = number(argv[4]);
  const LPARAM lparam = static_cast<LPARAM>(number(argv[5]));
  if (send) {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(window, msg, wparam, lparam, SMTO_NORMAL, kWaitMs, &answer);
  } else {
    ::PostMessageA(window, msg, wparam, lparam);
  }
  std::printf("%s 0x%x to %p\n", send ? "sent" : "posted", msg, static_cast<void*>(window));
  return 0;
}

int wait_tray_count(int wanted, DWORD limit) {
  const DWORD start = ::GetTickCount();
  int count = tray_icons();
  while (count != wanted && ::GetTickCount() - start < limit) {
    ::Sleep(50);
    count = tray_icons();
  }
  std::printf("tray icons: %d\n", count);
  return count == wanted ? 0 : 1;
}

int tray_remove(char** argv) {
  HWND window = owner(argv[2]);
  if (!window) return fail("owner window");
  NOTIFYICONDATAA icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = window;
  icon.uID = 1;
  const BOOL removed = ::Shell_NotifyIconA(NIM_DELETE, &icon);
  std::printf("icon of %p %s\n", static_cast<void*>(window), removed ? "removed" : "not removed");
  return removed ? 0 : 1;
}

int menu_keys(int argc, char** argv) {
  HWND menu = wait_window(argv[2], "#32768", true, false);
  if (!menu) return fail("popup menu");
  for (int i = 3; i < argc; ++i) {
    const UINT vk = number(argv[i]);
    ::PostMessageA(menu, WM_KEYDOWN, vk, 1);
    ::PostMessageA(menu, WM_KEYUP, vk, 0xC0000001);
  }
  std::printf("keys posted to %p\n", static_cast<void*>(menu));
  return 0;
}

void mouse(DWORD flags, int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof input);
}

int menu_outside(char** argv) {
  HWND menu = wait_window(argv[2], "#32768", true, false);
  if (!menu) return fail("popup menu");
  RECT r{};
  ::GetWindowRect(menu, &r);
  // A point well away from the menu, on the side with more room.
  const int x = r.left > 200 ? 20 : ::GetSystemMetrics(SM_CXSCREEN) - 20;
  const int y = 20;
  mouse(MOUSEEVENTF_MOVE, x, y);
  ::Sleep(50);  // lets the pointer motion arrive before the press
  mouse(MOUSEEVENTF_LEFTDOWN, x, y);
  mouse(MOUSEEVENTF_LEFTUP, x, y);
  std::printf("clicked at %d,%d outside %ld,%ld-%ld,%ld\n", x, y, r.left, r.top, r.right, r.bottom);
  return 0;
}

int chord(int argc, char** argv) {
  for (int i = 2; i < argc; ++i) ::keybd_event(static_cast<BYTE>(number(argv[i])), 0, 0, 0);
  for (int i = argc - 1; i >= 2; --i)
    ::keybd_event(static_cast<BYTE>(number(argv[i])), 0, KEYEVENTF_KEYUP, 0);
  std::printf("chord pressed\n");
  return 0;
}

BOOL CALLBACK find_edit(HWND window, LPARAM out) {
  char cls[32] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  if (::lstrcmpiA(cls, "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

int dialog(int argc, char** argv) {
  HWND box = wait_window(argv[2], "#32770", true, false);
  if (!box) return fail("dialog");
  if (argc > 4) {
    HWND edit = nullptr;
    ::EnumChildWindows(box, find_edit, reinterpret_cast<LPARAM>(&edit));
    if (!edit) return fail("file-name field");
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]), SMTO_NORMAL,
                          kWaitMs, &answer);
  }
  const UINT id = number(argv[argc - 1]);
  // Sent, so that it has been handled (a folder entered, the dialog ended)
  // when the next command looks at the dialog.
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0, SMTO_NORMAL, kWaitMs,
                        &answer);
  std::printf("command %u to %p\n", id, static_cast<void*>(box));
  return 0;
}

struct TitleSearch {
  std::set<DWORD> pids;
  const char* title;
  HWND found;
};

BOOL CALLBACK match_title(HWND window, LPARAM data) {
  TitleSearch& s = *reinterpret_cast<TitleSearch*>(data);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  char title[256] = {};
  ::GetWindowTextA(window, title, sizeof title);
  if (!s.pids.count(pid) || std::strcmp(title, s.title) != 0) return TRUE;
  s.found = window;
  return FALSE;
}

// Control `id` among the descendants of `parent` (a control inside a group
// box is a child of the group box).
HWND find_control(HWND parent, int id) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == id) return child;
    if (HWND inner = find_control(child, id)) return inner;
  }
  return nullptr;
}

int click(char** argv, bool press) {
  const DWORD start = ::GetTickCount();
  HWND control = nullptr;
  do {
    TitleSearch s{program_pids(argv[2]), argv[3], nullptr};
    ::EnumWindows(match_title, reinterpret_cast<LPARAM>(&s));
    if (s.found) control = find_control(s.found, static_cast<int>(number(argv[4])));
    if (!control) ::Sleep(50);
  } while (!control && ::GetTickCount() - start < kWaitMs);
  if (!control) return fail("control");
  if (press) {
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  } else {
    ::PostMessageA(control, BM_CLICK, 0, 0);
  }
  std::printf("%s %p\n", press ? "pressed" : "clicked", static_cast<void*>(control));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if ((command == "post" || command == "send") && argc == 6) return message(command == "send", argv);
  if (command == "taskbar") {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                          SMTO_ABORTIFHUNG, 5000, &answer);
    std::printf("broadcast\n");
    return 0;
  }
  if (command == "tray-count" && argc == 4) return wait_tray_count(std::atoi(argv[2]), number(argv[3]));
  if (command == "tray-remove" && argc == 3) return tray_remove(argv);
  if (command == "menu-keys" && argc >= 4) return menu_keys(argc, argv);
  if (command == "menu-outside" && argc == 3) return menu_outside(argv);
  if (command == "chord" && argc >= 3) return chord(argc, argv);
  if ((command == "click" || command == "press") && argc == 5) return click(argv, command == "press");
  if (command == "dialog" && (argc == 4 || argc == 5)) return dialog(argc, argv);
  std::fprintf(stderr, "shell_user: bad command line\n");
  return 2;
}
