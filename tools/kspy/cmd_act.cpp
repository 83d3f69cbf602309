// The commands that play the user on another program's windows: set a
// control's text, click a button, select list items, send keys, close a
// window, read or set the clipboard. Input is posted to the window, as the
// system would queue a user's input, so the target's own message loop
// (and its dialog-message processing) sees it.
#include <cstdio>
#include <cwchar>
#include <string>

#include "commands.h"
#include "json.h"
#include "window_access.h"

namespace kspy {

namespace {

bool one_window(const Args& args, size_t extra, HWND& hwnd, const char* what) {
  if (args.positional.size() < 1 + extra || !parse_handle(args.positional[0], hwnd)) {
    usage(what);
    return false;
  }
  if (!::IsWindow(hwnd)) {
    std::fprintf(stderr, "kspy: %ls is not a window\n", args.positional[0].c_str());
    return false;
  }
  return true;
}

struct NamedKey {
  const wchar_t* name;
  WORD vk;
};

constexpr NamedKey kKeys[] = {
    {L"ENTER", VK_RETURN}, {L"ESC", VK_ESCAPE}, {L"TAB", VK_TAB},   {L"BACKSPACE", VK_BACK},
    {L"DELETE", VK_DELETE}, {L"HOME", VK_HOME}, {L"END", VK_END},   {L"LEFT", VK_LEFT},
    {L"RIGHT", VK_RIGHT},  {L"UP", VK_UP},      {L"DOWN", VK_DOWN}, {L"SPACE", VK_SPACE},
};

void post_key(HWND hwnd, WORD vk) {
  const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  ::PostMessageW(hwnd, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
  if (vk == VK_SPACE) ::PostMessageW(hwnd, WM_CHAR, L' ', static_cast<LPARAM>(1 | (scan << 16)));
  ::PostMessageW(hwnd, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

// A named key in braces ("{ENTER}"), or nullptr.
const NamedKey* named_key(const std::wstring& text, size_t at, size_t& length) {
  if (text[at] != L'{') return nullptr;
  const size_t close = text.find(L'}', at);
  if (close == std::wstring::npos) return nullptr;
  const std::wstring name = text.substr(at + 1, close - at - 1);
  for (const NamedKey& key : kKeys)
    if (same_text_nocase(name, key.name)) {
      length = close - at + 1;
      return &key;
    }
  return nullptr;
}

// The client point at the middle of list item `index` (as far as the
// item is scrolled into view).
LPARAM item_point(HWND list, int index) {
  const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = ::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  const int y = static_cast<int>((index - top) * height + height / 2);
  return MAKELPARAM(8, y);
}

}  // namespace

// set-text HWND TEXT: WM_SETTEXT, as a program (not a user) would.
int cmd_set_text(const Args& args) {
  HWND hwnd = nullptr;
  if (!one_window(args, 1, hwnd, "set-text needs a window handle and a text")) return 2;
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.positional[1].c_str()),
                        SMTO_ABORTIFHUNG, 2000, &result);
  return 0;
}

// click HWND: BM_CLICK posted to a button.
int cmd_click(const Args& args) {
  HWND hwnd = nullptr;
  if (!one_window(args, 0, hwnd, "click needs a button handle")) return 2;
  ::PostMessageW(hwnd, BM_CLICK, 0, 0);
  return 0;
}

// select HWND INDEX... [--double] | select HWND --all: clicks on list items
// (posted button messages, which notify the parent like a user's click);
// --double double-clicks the item; --all selects every item of a
// multiple-selection list with LB_SETSEL.
int cmd_select(const Args& args) {
  HWND hwnd = nullptr;
  if (!one_window(args, 0, hwnd, "select needs a list handle")) return 2;
  if (args.has(L"--all")) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hwnd, LB_SETSEL, TRUE, -1, SMTO_ABORTIFHUNG, 5000, &result);
    return 0;
  }
  const bool twice = args.has(L"--double");
  for (size_t i = 1; i < args.positional.size(); ++i) {
    const int index = static_cast<int>(std::wcstol(args.positional[i].c_str(), nullptr, 10));
    const LPARAM point = item_point(hwnd, index);
    ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(hwnd, WM_LBUTTONUP, 0, point);
    if (twice) {
      ::PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
      ::PostMessageW(hwnd, WM_LBUTTONUP, 0, point);
    }
  }
  return 0;
}

// keys HWND TEXT: characters as WM_CHAR, {ENTER} {ESC} {TAB} and the other
// named keys as key-down and key-up messages.
int cmd_keys(const Args& args) {
  HWND hwnd = nullptr;
  if (!one_window(args, 1, hwnd, "keys needs a window handle and a text")) return 2;
  const std::wstring& text = args.positional[1];
  for (size_t at = 0; at < text.size();) {
    size_t length = 0;
    if (const NamedKey* key = named_key(text, at, length)) {
      post_key(hwnd, key->vk);
      at += length;
    } else {
      ::PostMessageW(hwnd, WM_CHAR, text[at], 1);
      ++at;
    }
  }
  return 0;
}

// move HWND X Y W H: SetWindowPos, as a user's drag of the frame would
// resize the window (the window gets WM_SIZE).
int cmd_move(const Args& args) {
  HWND hwnd = nullptr;
  if (!one_window(args, 4, hwnd, "move needs a window handle, x, y, width and height")) return 2;
  int v[4];
  for (int i = 0; i < 4; ++i)
    v[i] = static_cast<int>(std::wcstol(args.positional[1 + i].c_str(), nullptr, 10));
  ::SetWindowPos(hwnd, nullptr, v[0], v[1], v[2], v[3], SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// close HWND: WM_CLOSE posted, as the close box sends it.
int cmd_close(const Args& args) {
  HWND hwnd = nullptr;
  if (!one_window(args, 0, hwnd, "close needs a window handle")) return 2;
  ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

// clipboard [--set TEXT]: prints {"text": ...} of the clipboard's text, or
// puts TEXT on it first.
int cmd_clipboard(const Args& args) {
  if (args.has(L"--set")) {
    const std::wstring text = args.value(L"--set");
    if (!::OpenClipboard(nullptr)) return 1;
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      if (void* locked = ::GlobalLock(block)) {
        std::wmemcpy(static_cast<wchar_t*>(locked), text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
        if (!::SetClipboardData(CF_UNICODETEXT, block)) ::GlobalFree(block);
      } else {
        ::GlobalFree(block);
      }
    }
    ::CloseClipboard();
  }
  if (!::OpenClipboard(nullptr)) return 1;
  std::wstring text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT))
    if (const wchar_t* locked = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = locked;
      ::GlobalUnlock(data);
    }
  ::CloseClipboard();
  JsonLine().text("text", utf8(text)).print();
  return 0;
}

}  // namespace kspy
