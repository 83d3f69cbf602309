// The decoration properties of RD01 and the dialog menu: each keeps its
// state in one attachment of the element, which owns what it holds (the
// tooltip and status bar windows, the bitmaps and icons) and releases it
// when the decoration is replaced or removed.
#pragma once

#include <string>
#include <string_view>

#include "designer/element_table.h"

namespace kestrel::win32::designer {

// "TOOLTIP": creates the tooltip on first use (also for an empty value,
// which gives an empty tip), replaces its text, or removes it for an empty
// value. Texts longer than the tooltip shows are cut.
void set_tooltip(Element& element, const std::string& value);

// "STATUSBAR" (dialogs): parts with their texts and right edges; an empty
// value removes the bar.
void set_status_bar(Element& element, const std::string& value, std::string_view separator);

// "IMAGE" and "IMAGE_TRANSPARENT" (controls): loads the bitmap file and
// shows it at the control's size. False when the file does not load; the
// control then shows no picture of that kind.
bool set_image(Element& element, bool transparent, const std::string& value);

// "ICON" (dialogs): the large icon from an icon file; an empty value or a
// file that does not load removes it.
void set_icon(Element& element, const std::string& value);

// "STYLE" and "ORDER" (dialogs).
void set_style(Element& element, const std::string& value);
void set_order(Element& element, const std::string& value);

// "MENU": builds the menu bar of the element's window from `description`
// (an empty one removes it) with one menu item element per item, and keeps
// the description for reading back.
void set_menu(Element& element, const std::string& description, std::string_view separator);

}  // namespace kestrel::win32::designer
