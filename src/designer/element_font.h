// The "FONT" property: fonts created from a description, kept in the
// element's font attachment and deleted when replaced or released.
#pragma once

#include <string>
#include <string_view>

#include "designer/element_table.h"

namespace kestrel::win32::designer {

// Applies the font description `value` ("face|size|flags", split by the
// characters of `separator`) to the element. An empty value returns to the
// default GUI font and drops the attachment. A description with a field
// missing is stored but changes nothing and fails.
bool apply_font(Element& element, const std::string& value, std::string_view separator);

}  // namespace kestrel::win32::designer
