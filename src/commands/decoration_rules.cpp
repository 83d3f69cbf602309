#include "commands/decoration_rules.h"

#include "core/text.h"
#include "varsys/list_split.h"

namespace kestrel::designer {

std::vector<StatusPart> read_status_parts(std::string_view value, std::string_view separator) {
  const std::vector<std::string> fields = split_tokens(value, separator);
  std::vector<StatusPart> parts;
  for (size_t i = 0; i + 1 < fields.size() && parts.size() < kStatusPartLimit; i += 2) {
    parts.push_back({fields[i], text_to_int(fields[i + 1])});
  }
  if (parts.empty() && !fields.empty()) parts.push_back({fields[0], std::nullopt});
  return parts;
}

DialogStyle dialog_style(std::string_view value) {
  constexpr uint32_t kCaptionAndClose = 0x00C80000;  // WS_CAPTION | WS_SYSMENU
  constexpr uint32_t kOverlapped = 0x00CF0000;       // WS_OVERLAPPEDWINDOW
  if (value == "DIALOG" || value == "0") return {kCaptionAndClose, 0, true};
  if (value == "SINGLE" || value == "1") return {0x00CA0000, 0, true};  // + WS_MINIMIZEBOX
  if (value == "TOOL" || value == "2") return {kOverlapped, 0x80, true};  // WS_EX_TOOLWINDOW
  // WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE
  if (value == "STATIC_TOOL" || value == "3") return {kCaptionAndClose, 0x188, true};
  return {kOverlapped, 0, false};
}

Stacking dialog_stacking(std::string_view value) {
  if (value == "BOTTOM" || value == "1") return Stacking::kBottom;
  if (value == "TOP" || value == "2") return Stacking::kTopmost;
  return Stacking::kNormal;
}

std::string tooltip_text(std::string_view value) {
  return std::string(value.substr(0, kTooltipTextLimit));
}

}  // namespace kestrel::designer
