#include "dialogs/tray_state.h"

#include <shellapi.h>

#include <cstring>

#include "commands/hotkey_rules.h"
#include "dialogs/window_class.h"

namespace kestrel::win32 {

namespace {

constexpr UINT kTrayIconId = 1;

// The notify-icon record in its 88-byte form: the size field, the owner
// window and the icon identifier; the rest is filled by the caller.
NOTIFYICONDATAA icon_record() {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = owner_window();
  record.uID = kTrayIconId;
  return record;
}

}  // namespace

TrayState& tray_state() {
  static TrayState state;
  return state;
}

bool add_tray_icon(const TrayState& state) {
  NOTIFYICONDATAA record = icon_record();
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kTrayMessage;
  record.hIcon = state.icon;
  // The record's tip field in its 88-byte form holds 63 bytes and a zero.
  const size_t length = state.tip.size() < tray::kTipField ? state.tip.size()
                                                            : tray::kTipField - 1;
  std::memcpy(record.szTip, state.tip.data(), length);
  record.szTip[length] = '\0';
  return ::Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
}

void remove_tray_icon() {
  NOTIFYICONDATAA record = icon_record();
  ::Shell_NotifyIconA(NIM_DELETE, &record);
}

}  // namespace kestrel::win32
