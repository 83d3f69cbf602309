// Creation of the five hidden built-in windows and their child controls,
// with the geometry and styles that the dialog commands and the scripts'
// window tools rely on.
#include <windows.h>

#include "dialogs/window_class.h"

namespace kestrel::win32 {

namespace {

BuiltinWindows windows_;

struct TopLevel {
  DWORD ex_style;
  DWORD style;
  int x, y, width, height;
};

struct Child {
  const char* class_name;
  const char* text;
  DWORD ex_style;
  DWORD style;
  int x, y, width, height;
  int id;
};

HWND create_top_level(const TopLevel& w, HINSTANCE instance) {
  return ::CreateWindowExA(w.ex_style, "ksw", "", w.style, w.x, w.y, w.width, w.height,
                           nullptr, nullptr, instance, nullptr);
}

// Creates a child control and gives it the stock GUI font at once. A
// missing parent gives no control (the system refuses a child without one).
HWND create_child(HWND parent, const Child& c, HINSTANCE instance) {
  if (!parent) return nullptr;
  HWND control = ::CreateWindowExA(c.ex_style, c.class_name, c.text, c.style, c.x, c.y,
                                   c.width, c.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                   instance, nullptr);
  if (control)
    ::SendMessageA(control, WM_SETFONT,
                   reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
  return control;
}

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kField = WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOVSCROLL | ES_AUTOHSCROLL;

void create_input_box(HINSTANCE instance, int theme) {
  const int cx = ::GetSystemMetrics(SM_CXFULLSCREEN);
  const int cy = ::GetSystemMetrics(SM_CYFULLSCREEN);
  HWND box = create_top_level(
      {0, WS_CAPTION | WS_SYSMENU, cx / 2 - 150, cy / 2 - 55, 300, 102 + theme}, instance);
  windows_.input_box = box;
  windows_.input_label =
      create_child(box, {"static", "", 0, WS_CHILD | WS_VISIBLE, 5, 5, 280, 20, 0}, instance);
  windows_.input_field = create_child(
      box, {"edit", "", WS_EX_CLIENTEDGE, kField | WS_VISIBLE, 5, 22, 285, 24, 0}, instance);
  windows_.input_password = create_child(
      box, {"edit", "", WS_EX_CLIENTEDGE, kField | ES_PASSWORD, 5, 22, 285, 24, 0}, instance);
  windows_.input_ok = create_child(
      box, {"button", "&Ok", 0, kButton | BS_NOTIFY, 15, 50, 80, 25, kIdInputOk}, instance);
  windows_.input_cancel = create_child(
      box, {"button", "&Cancel", 0, kButton | BS_NOTIFY, 200, 50, 80, 25, kIdInputCancel},
      instance);
}

void create_edit_box(HINSTANCE instance, int theme) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN);
  const int cy = ::GetSystemMetrics(SM_CYSCREEN);
  // An overlapped window: the system adds the caption.
  HWND box = create_top_level(
      {0, WS_SYSMENU | WS_THICKFRAME, cx / 2 - 250, cy / 2 + theme - 200, 500, 400}, instance);
  windows_.edit_box = box;
  windows_.edit_text = create_child(
      box,
      {"edit", "", WS_EX_CLIENTEDGE,
       WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 1, 1,
       342, 180, kIdEditText},
      instance);
  if (windows_.edit_text)
    ::SendMessageA(windows_.edit_text, EM_LIMITTEXT, ~WPARAM{0}, 0);
  windows_.edit_ok = create_child(
      box, {"button", "&Ok", 0, kButton | BS_DEFPUSHBUTTON, 1, 185, 100, 25, kIdEditOk},
      instance);
  windows_.edit_cancel = create_child(
      box, {"button", "&Cancel", 0, kButton, 242, 185, 100, 25, kIdEditCancel}, instance);
}

void create_list_window(HINSTANCE instance, int theme) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN);
  const int cy = ::GetSystemMetrics(SM_CYSCREEN);
  HWND box = create_top_level({0, WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME, cx / 2 - 65,
                               cy / 2 + theme - 88, 130, 176},
                              instance);
  windows_.list_window = box;
  constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT;
  windows_.list_single = create_child(
      box, {"listbox", nullptr, WS_EX_CLIENTEDGE, kList | LBS_NOTIFY, 1, 1, 122, 140,
            kIdListSingle},
      instance);
  windows_.list_multi = create_child(
      box, {"listbox", nullptr, WS_EX_CLIENTEDGE, kList | LBS_MULTIPLESEL, 1, 1, 122, 140,
            kIdListMulti},
      instance);
  windows_.list_ok = create_child(
      box, {"button", "&Ok", 0, kButton | BS_DEFPUSHBUTTON, 1, 125, 122, 24, kIdListOk},
      instance);
}

void create_info_window(HINSTANCE instance) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN);
  const int cy = ::GetSystemMetrics(SM_CYSCREEN);
  HWND box = create_top_level({WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_STATICEDGE,
                               WS_POPUP | WS_BORDER | WS_SYSMENU, cx / 2 - 150, cy / 2 - 12, 300,
                               24},
                              instance);
  windows_.info_window = box;
  windows_.info_text = create_child(
      box, {"static", "", 0, WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 2, 300, 30, kIdInfoText},
      instance);
}

void create_owner_window(HINSTANCE instance) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN);
  const int cy = ::GetSystemMetrics(SM_CYSCREEN);
  windows_.owner =
      create_top_level({0, WS_BORDER, cx / 2 - 280, cy / 2 - 205, 0, 0}, instance);
}

}  // namespace

// Creation order matters to scripts that enumerate the windows: input box,
// edit box window, list window, info window, owner window. Failures of
// single windows are ignored; their handles stay null.
void create_builtin_windows(HINSTANCE instance) {
  const int theme = theme_extra_height();
  create_input_box(instance, theme);
  create_edit_box(instance, theme);
  create_list_window(instance, theme);
  create_info_window(instance);
  create_owner_window(instance);
}

const BuiltinWindows& builtin_windows() { return windows_; }

bool is_builtin_dialog(HWND window) {
  return window && (window == windows_.input_box || window == windows_.edit_box ||
                    window == windows_.list_window);
}

bool is_builtin_window(HWND window) {
  return is_builtin_dialog(window) ||
         (window && (window == windows_.info_window || window == windows_.owner));
}

}  // namespace kestrel::win32
