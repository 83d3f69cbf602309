// The user's hands for the designer's end-to-end tests: finds the script's
// dialog (class "ksw") by its title and reports its child windows, or
// plays one user action on it. Posted messages produce the notifications
// a user's clicks would (observed under Wine).
//
//   designer_user TITLE ACTION...  plays the actions in order, each one of
//     dump       the dialog's style and one line per child: class, id,
//                styles, position in its parent's client area, size, parent
//     click:ID   presses the button with control id ID
//     press:ID   left button down and up on control ID
//     close      the close command of the system menu
// Actions given together are queued together, so the script's wait sees
// them in this order. Exit code 0, or 1 when no such window appears
// within a minute.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND dialog = nullptr;

// Control `id` among the children of `parent` and their children.
HWND find_control(HWND parent, int id) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == id) return child;
    if (HWND inner = find_control(child, id)) return inner;
  }
  return nullptr;
}

BOOL CALLBACK print_child(HWND window, LPARAM) {
  char name[64] = "";
  ::GetClassNameA(window, name, sizeof name);
  RECT rect{};
  ::GetWindowRect(window, &rect);
  POINT corner{rect.left, rect.top};
  HWND parent = ::GetParent(window);
  ::ScreenToClient(parent, &corner);
  std::printf("%s id=%d style=%08lx ex=%08lx at=%ld,%ld size=%ldx%ld parent=%s\n", name,
              ::GetDlgCtrlID(window), static_cast<unsigned long>(::GetWindowLongA(window, GWL_STYLE)),
              static_cast<unsigned long>(::GetWindowLongA(window, GWL_EXSTYLE)), corner.x, corner.y,
              rect.right - rect.left, rect.bottom - rect.top,
              parent == dialog ? "dialog" : "other");
  return TRUE;
}

void dump() {
  RECT rect{};
  ::GetWindowRect(dialog, &rect);
  std::printf("dialog style=%08lx ex=%08lx at=%ld,%ld size=%ldx%ld\n",
              static_cast<unsigned long>(::GetWindowLongA(dialog, GWL_STYLE)),
              static_cast<unsigned long>(::GetWindowLongA(dialog, GWL_EXSTYLE)), rect.left, rect.top,
              rect.right - rect.left, rect.bottom - rect.top);
  ::EnumChildWindows(dialog, print_child, 0);
}

}  // namespace

// Plays one action ("dump", "close", or a name and ":ID").
void play(const char* action) {
  const char* colon = std::strchr(action, ':');
  HWND control = colon != nullptr ? find_control(dialog, std::atoi(colon + 1)) : nullptr;
  const size_t length = colon != nullptr ? static_cast<size_t>(colon - action) : std::strlen(action);
  if (std::strncmp(action, "dump", length) == 0) {
    dump();
  } else if (std::strncmp(action, "click", length) == 0) {
    ::PostMessageA(control, BM_CLICK, 0, 0);
  } else if (std::strncmp(action, "press", length) == 0) {
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  } else if (std::strncmp(action, "close", length) == 0) {
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
}

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  for (int tries = 0; tries < 600 && dialog == nullptr; ++tries) {
    dialog = ::FindWindowA("ksw", argv[1]);
    if (dialog == nullptr) ::Sleep(100);
  }
  if (dialog == nullptr) {
    std::printf("no window %s\n", argv[1]);
    return 1;
  }
  for (int i = 2; i < argc; ++i) play(argv[i]);
  std::fflush(stdout);
  return 0;
}
