// Menu descriptions of dialog menus: the first byte gives the item
// separator, the rest is the description. The steps must keep the pop-up
// nesting within its limit, close only pop-ups that were opened, and never
// append an empty item.
#include "commands/menu_rules.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string separator(1, static_cast<char>(data[0]));
  const std::string_view description = kestrel::fuzz::as_text(data + 1, size - 1);
  using kestrel::designer::MenuStep;
  int depth = 0;
  for (const MenuStep& step : kestrel::designer::read_menu_description(description, separator)) {
    switch (step.kind) {
      case MenuStep::kOpen:
        ++depth;
        KESTREL_FUZZ_CHECK(depth <= kestrel::designer::kMenuDepthLimit);
        break;
      case MenuStep::kClose:
        --depth;
        KESTREL_FUZZ_CHECK(depth >= 0);
        break;
      case MenuStep::kItem:
        KESTREL_FUZZ_CHECK(!step.text.empty());
        break;
      case MenuStep::kSeparator:
        break;
    }
    KESTREL_FUZZ_CHECK(step.text.size() <= description.size());
  }
  return 0;
}
