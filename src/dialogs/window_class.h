// The runtime's window class "ksw", the theme probe and the built-in
// windows that every command shares. The one window procedure of the class
// is in window_procedure.cpp, the creation of the built-in windows in
// builtin_windows.cpp.
#pragma once

#include <windows.h>

#include "dialogs/completion.h"

namespace kestrel::win32 {

// Registers the class (and the "TaskbarCreated" message); false when the
// system refuses, which ends the program.
bool register_window_class(HINSTANCE instance);
// Looks up the optional theme function and computes the extra height.
void probe_theme();
// 10 when visual themes were active at start, else 0.
int theme_extra_height();
// True when the theme query exists and reports themes active now.
bool theme_active();
// Creates the five hidden built-in windows with their controls.
void create_builtin_windows(HINSTANCE instance);
// The hidden owner window of message boxes, file dialogs, tray and hot keys.
HWND owner_window();
HINSTANCE module_instance();
// The identifier of the registered message "TaskbarCreated".
UINT taskbar_created_message();

// Control identifiers of the built-in windows.
inline constexpr int kIdInputOk = 1;
inline constexpr int kIdInputCancel = 2;
inline constexpr int kIdListSingle = 4;
inline constexpr int kIdListOk = 5;
inline constexpr int kIdListMulti = 6;
inline constexpr int kIdEditText = 8;
inline constexpr int kIdEditOk = 9;
inline constexpr int kIdEditCancel = 10;
inline constexpr int kIdInfoText = 12;

// The built-in windows and their controls; null where creation failed.
struct BuiltinWindows {
  HWND input_box = nullptr;
  HWND input_label = nullptr;
  HWND input_field = nullptr;
  HWND input_password = nullptr;
  HWND input_ok = nullptr;
  HWND input_cancel = nullptr;
  HWND edit_box = nullptr;
  HWND edit_text = nullptr;
  HWND edit_ok = nullptr;
  HWND edit_cancel = nullptr;
  HWND list_window = nullptr;
  HWND list_single = nullptr;
  HWND list_multi = nullptr;
  HWND list_ok = nullptr;
  HWND info_window = nullptr;
  HWND info_text = nullptr;
  HWND owner = nullptr;
};

const BuiltinWindows& builtin_windows();

// True for the input box, the edit box window and the list window (not
// for the info window or the owner window).
bool is_builtin_dialog(HWND window);
// True for any of the five built-in top-level windows.
bool is_builtin_window(HWND window);

// The window procedure of the class (window_procedure.cpp).
LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Runs the modal loop of a built-in dialog window until the window
// procedure sets the done flag or no more messages can be read
// (modal_loop.cpp).
void run_modal_loop(HWND window);

}  // namespace kestrel::win32
