#include "designer/element_font.h"

#include <windows.h>

#include "commands/designer_rules.h"

namespace kestrel::win32::designer {

namespace {

namespace rules = kestrel::designer;

// The vertical resolution of the screen, from a device context released
// right after.
int screen_pixels_per_inch() {
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return 96;
  const int pixels = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

HFONT create_font(const rules::FontSpec& spec) {
  const int height = -::MulDiv(spec.points, screen_pixels_per_inch(), 72);
  return ::CreateFontA(height, 0, 0, 0, spec.weight, spec.italic, spec.underline,
                       spec.strike_out, ANSI_CHARSET, 0, 0, 0, 0, spec.face.c_str());
}

// Gives `window` the font and repaints it.
void show_font(HWND window, HGDIOBJ font) {
  ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::UpdateWindow(window);
  ::InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

bool apply_font(Element& element, const std::string& value, std::string_view separator) {
  if (value.empty()) {
    show_font(element.window, ::GetStockObject(DEFAULT_GUI_FONT));
    drop_attachment(element, kAttachFont);  // deletes the font no longer in use
    return true;
  }
  Attachment& attachment = ensure_attachment(element, kAttachFont);
  attachment.data = value;
  const std::optional<rules::FontSpec> spec = rules::parse_font(value, separator);
  if (!spec) return false;
  HFONT font = create_font(*spec);
  if (font == nullptr) return true;  // a failing system call does not change the result
  show_font(element.window, font);
  attachment.reset_handle(font);  // the previous font is deleted now that it is unused
  return true;
}

}  // namespace kestrel::win32::designer
