// keylog: a test window that records the keyboard and mouse input it
// receives, one line per message, for the end-to-end tests of the
// key-sending and mouse commands.
//
//   keylog.exe [--log FILE] [TITLE [SECONDS]]
//
// The lines go to FILE (created anew, every line flushed at once) or, without
// --log, to standard output. Opens a top-level window of class
// "KestrelKeylog" at screen position (100, 100), client area 400 x 300,
// brings it to the foreground and prints "ready X Y" with the screen
// position of the client area's top-left corner. Only then does the window
// get its title TITLE (default "Kestrel Keylog"; until then it is TITLE
// followed by " (starting)"), so whoever finds the window by its title
// finds it ready for input. Then it prints
//   down VK / up VK     WM_KEYDOWN, WM_SYSKEYDOWN / WM_KEYUP, WM_SYSKEYUP
//   char CODE           WM_CHAR, WM_SYSCHAR (the UTF-16 code)
//   ldown X Y ...       WM_LBUTTONDOWN/UP, WM_RBUTTONDOWN/UP at screen X Y
//                       (ldown, lup, rdown, rup)
//   focus / unfocus     the window gained / lost the keyboard focus
// Three keys are commands, logged only as their result when they go up:
//   F14 (125)           prints "cursor X Y", the pointer's screen position
//                       when the key went up (GetMessagePos)
//   F15 (126)           prints "----", a mark between the checks of a test
//   F16 (127)           prints "end" and exits with code 0
// Without F16 it ends with "timeout" and exit code 1 after SECONDS
// (default 120).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr UINT_PTR kTimeoutTimer = 1;
constexpr WPARAM kCursorKey = 125;  // F14
constexpr WPARAM kMarkKey = 126;    // F15
constexpr WPARAM kEndKey = 127;     // F16

std::FILE* g_log = stdout;

// Writes "NAME X Y" as a line of the log.
void log_point(const char* name, long x, long y) {
  std::fprintf(g_log, "%s %ld %ld\n", name, x, y);
  std::fflush(g_log);
}

// Writes a word as a line of the log. Every line is flushed at once, so a
// reader of the file sees whole lines.
void log_word(const char* word) {
  std::fprintf(g_log, "%s\n", word);
  std::fflush(g_log);
}

bool is_command_key(WPARAM key) { return key == kCursorKey || key == kMarkKey || key == kEndKey; }

// Runs a command key going up.
void run_command_key(WPARAM key) {
  if (key == kCursorKey) {
    // The pointer as it was when the key went up: the sender may have moved
    // it again before this message is read, so GetCursorPos would race.
    const DWORD pos = ::GetMessagePos();
    log_point("cursor", static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
  } else if (key == kMarkKey) {
    log_word("----");
  } else {
    log_word("end");
    ::PostQuitMessage(0);
  }
}

void log_line(const char* name, unsigned value) {
  std::fprintf(g_log, "%s %u\n", name, value);
  std::fflush(g_log);
}

void log_button(HWND window, const char* name, LPARAM lparam) {
  POINT p{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  ::ClientToScreen(window, &p);
  log_point(name, p.x, p.y);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!is_command_key(wparam)) log_line("down", static_cast<unsigned>(wparam));
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (is_command_key(wparam))
        run_command_key(wparam);
      else
        log_line("up", static_cast<unsigned>(wparam));
      return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
      log_line("char", static_cast<unsigned>(wparam));
      return 0;
    case WM_LBUTTONDOWN: log_button(window, "ldown", lparam); return 0;
    case WM_LBUTTONUP: log_button(window, "lup", lparam); return 0;
    case WM_RBUTTONDOWN: log_button(window, "rdown", lparam); return 0;
    case WM_RBUTTONUP: log_button(window, "rup", lparam); return 0;
    case WM_SETFOCUS: log_word("focus"); return 0;
    case WM_KILLFOCUS: log_word("unfocus"); return 0;
    case WM_TIMER:
      if (wparam == kTimeoutTimer) {
        log_word("timeout");
        ::PostQuitMessage(1);
      }
      return 0;
    case WM_CLOSE:
      ::PostQuitMessage(2);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  if (arg + 1 < argc && std::strcmp(argv[arg], "--log") == 0) {
    g_log = std::fopen(argv[arg + 1], "wb");
    if (!g_log) return 5;
    arg += 2;
  }
  const char* title = arg < argc ? argv[arg] : "Kestrel Keylog";
  const int seconds = arg + 1 < argc ? std::atoi(argv[arg + 1]) : 120;
  const std::string starting = std::string(title) + " (starting)";
  WNDCLASSA wc{};
  wc.lpfnWndProc = window_proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "KestrelKeylog";
  if (!::RegisterClassA(&wc)) return 3;
  RECT frame{0, 0, 400, 300};
  ::AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = ::CreateWindowA("KestrelKeylog", starting.c_str(), WS_OVERLAPPEDWINDOW, 100, 100,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, wc.hInstance, nullptr);
  if (!window) return 4;
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetForegroundWindow(window);
  ::SetFocus(window);
  ::SetTimer(window, kTimeoutTimer, static_cast<UINT>(seconds) * 1000u, nullptr);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  log_point("ready", origin.x, origin.y);
  ::SetWindowTextA(window, title);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
