// The decoration properties: tooltip, status bar, pictures, icon, window
// style and stacking order. What they create belongs to the element's
// attachment of that kind, which releases it when it is replaced, removed
// or the element is released.
#include "designer/decorations.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "commands/decoration_rules.h"
#include "commands/designer_rules.h"
#include "core/text.h"
#include "designer/designer_access.h"
#include "dialogs/window_class.h"

namespace kestrel::win32::designer {

namespace {

namespace rules = kestrel::designer;

// The tool description of the element's tooltip: the tool is the element's
// window itself, the tooltip watches its mouse messages. Sent in the form
// without the reserved field, with the size field to match.
TTTOOLINFOA tool_description(const Element& element, const std::string& text) {
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = element.window;
  tool.uId = reinterpret_cast<UINT_PTR>(element.window);
  tool.lpszText = const_cast<char*>(text.c_str());
  return tool;
}

LPARAM address(const void* record) { return reinterpret_cast<LPARAM>(record); }

HWND create_tooltip(const Element& element, const std::string& text) {
  HWND tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0,
                               element.window, nullptr, module_instance(), nullptr);
  if (tip == nullptr) return nullptr;
  ::SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  const TTTOOLINFOA tool = tool_description(element, text);
  ::SendMessageA(tip, TTM_ADDTOOLA, 0, address(&tool));
  ::SendMessageA(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 2000);
  return tip;
}

// The message that hands a picture to the control: buttons take
// BM_SETIMAGE, every other control STM_SETIMAGE.
UINT picture_message(const Element& element) {
  return element.type == rules::kTypeButton ? BM_SETIMAGE : STM_SETIMAGE;
}

bool holds_bitmap(Element& element, HANDLE bitmap) {
  for (int kind : {kAttachImage, kAttachImageTransparent}) {
    const Attachment* entry = find_attachment(element, kind);
    if (entry != nullptr && entry->handle() == bitmap) return true;
  }
  return false;
}

// Shows `bitmap` (nullptr: no picture) in the control. A control that made
// its own copy of an earlier bitmap hands that copy back here; it is ours
// to delete, unlike the bitmaps the attachments hold.
void show_picture(Element& element, HBITMAP bitmap) {
  HANDLE previous = reinterpret_cast<HANDLE>(::SendMessageA(
      element.window, picture_message(element), IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (previous != nullptr && previous != bitmap && !holds_bitmap(element, previous)) {
    ::DeleteObject(previous);
  }
}

}  // namespace

void set_tooltip(Element& element, const std::string& value) {
  const std::string text = rules::tooltip_text(value);
  Attachment* entry = find_attachment(element, kAttachTooltip);
  if (entry == nullptr) {
    Attachment& added = add_attachment(element, kAttachTooltip);
    added.data = text;
    added.reset_handle(create_tooltip(element, added.data));
    return;
  }
  HWND tip = static_cast<HWND>(entry->handle());
  if (!value.empty()) {
    entry->data = text;
    const TTTOOLINFOA tool = tool_description(element, entry->data);
    if (tip != nullptr) ::SendMessageA(tip, TTM_SETTOOLINFOA, 0, address(&tool));
    return;
  }
  const TTTOOLINFOA tool = tool_description(element, entry->data);
  if (tip != nullptr) ::SendMessageA(tip, TTM_DELTOOLA, 0, address(&tool));
  entry->clear();  // destroys the tooltip window
}

void set_status_bar(Element& element, const std::string& value, std::string_view separator) {
  Attachment* entry = find_attachment(element, kAttachStatusBar);
  if (value.empty()) {
    if (entry != nullptr) entry->clear();  // destroys the bar
    return;
  }
  if (entry == nullptr) {
    entry = &add_attachment(element, kAttachStatusBar);
    // The bar places itself along the dialog's bottom edge; the window
    // procedure lays it out again when the dialog is resized.
    entry->reset_handle(::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0,
                                          0, element.window, nullptr, module_instance(),
                                          nullptr));
  }
  entry->data = value;
  HWND bar = static_cast<HWND>(entry->handle());
  if (bar == nullptr) return;
  ::SendMessageA(bar, SB_SIMPLE, FALSE, 0);
  const std::vector<rules::StatusPart> parts = rules::read_status_parts(value, separator);
  if (parts.empty()) return;
  std::vector<int> edges;
  for (const rules::StatusPart& part : parts) {
    edges.push_back(part.right.value_or(::GetSystemMetrics(SM_CXFULLSCREEN)));
  }
  ::SendMessageA(bar, SB_SETPARTS, edges.size(), address(edges.data()));
  for (size_t i = 0; i < parts.size(); ++i) {
    ::SendMessageA(bar, SB_SETTEXTA, i, address(parts[i].text.c_str()));
  }
}

bool set_image(Element& element, bool transparent, const std::string& value) {
  const int kind = transparent ? kAttachImageTransparent : kAttachImage;
  Attachment* entry = find_attachment(element, kind);
  if (value.empty()) {
    if (entry != nullptr) {
      show_picture(element, nullptr);
      entry->clear();  // deletes the bitmap, no longer shown
    }
    return true;
  }
  // Not shared: the attachment owns the bitmap and deletes it.
  const UINT flags = LR_LOADFROMFILE | LR_DEFAULTSIZE |
                     (transparent ? LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS : 0);
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageA(nullptr, value.c_str(), IMAGE_BITMAP, 0, 0, flags));
  if (bitmap == nullptr) {
    show_picture(element, nullptr);
    if (entry != nullptr) entry->reset_handle(nullptr);  // the file name stays
    return false;
  }
  // A picture control resizes itself to its bitmap: it is moved back.
  const RECT rect = element_rect(element);
  show_picture(element, bitmap);
  ::MoveWindow(element.window, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, TRUE);
  ::UpdateWindow(element.window);
  ::InvalidateRect(element.window, nullptr, TRUE);
  if (entry == nullptr) entry = &add_attachment(element, kind);
  entry->reset_handle(bitmap);  // deletes the bitmap shown before
  entry->data = value;
  return true;
}

void set_icon(Element& element, const std::string& value) {
  HICON icon = value.empty() ? nullptr
                             : static_cast<HICON>(::LoadImageA(nullptr, value.c_str(), IMAGE_ICON,
                                                               0, 0, LR_LOADFROMFILE));
  Attachment* entry = find_attachment(element, kAttachIcon);
  if (icon != nullptr) {
    ::SendMessageA(element.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (entry == nullptr) entry = &add_attachment(element, kAttachIcon);
    entry->reset_handle(icon);  // destroys the icon shown before
    entry->data = value;
    return;
  }
  if (entry == nullptr) return;
  if (entry->handle() != nullptr) ::SendMessageA(element.window, WM_SETICON, ICON_BIG, 0);
  entry->clear();
}

// The style words replace the dialog's whole style; WS_VISIBLE is not
// among them, so a dialog shown before counts as hidden until "VISIBLE"
// shows it again.
void set_style(Element& element, const std::string& value) {
  const std::string upper = upper_ascii(value);
  const rules::DialogStyle style = rules::dialog_style(upper);
  ::SetWindowLongA(element.window, GWL_EXSTYLE, 0);
  ::SetWindowLongA(element.window, GWL_STYLE, static_cast<LONG>(style.style));
  if (style.ex_style != 0) {
    ::SetWindowLongA(element.window, GWL_EXSTYLE, static_cast<LONG>(style.ex_style));
  }
  ::SetWindowPos(element.window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  ::UpdateWindow(element.window);
  if (style.keyword) ensure_attachment(element, kAttachStyle).data = upper;
  else drop_attachment(element, kAttachStyle);
}

void set_order(Element& element, const std::string& value) {
  std::string upper = upper_ascii(value);
  constexpr UINT kKeep = SWP_NOSIZE | SWP_NOMOVE;
  switch (rules::dialog_stacking(upper)) {
    case rules::Stacking::kBottom: ::SetWindowPos(element.window, HWND_BOTTOM, 0, 0, 0, 0, kKeep); break;
    case rules::Stacking::kTopmost: ::SetWindowPos(element.window, HWND_TOPMOST, 0, 0, 0, 0, kKeep); break;
    case rules::Stacking::kNormal:
      ::SetWindowPos(element.window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
      ::SetWindowPos(element.window, HWND_TOP, 0, 0, 0, 0, kKeep);
      upper.clear();
      break;
  }
  ensure_attachment(element, kAttachOrder).data = upper;
}

}  // namespace kestrel::win32::designer
