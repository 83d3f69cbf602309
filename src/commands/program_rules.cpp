#include "commands/program_rules.h"

#include <string>

#include "core/text.h"

namespace kestrel {

namespace {

struct ModeEntry {
  std::string_view word;
  std::string_view digit;
  int show;
};

constexpr ModeEntry kModes[] = {
    {"HIDE", "1", show_command::hide},
    {"MAXIMIZED", "2", show_command::maximized},
    {"MINIMIZED", "3", show_command::minimized},
};

// Looks up a mode text that is already in its compared form.
int lookup_mode(std::string_view normalised) {
  for (const ModeEntry& entry : kModes)
    if (normalised == entry.word || normalised == entry.digit) return entry.show;
  return show_command::show;
}

}  // namespace

int launch_show_command(std::string_view mode) { return lookup_mode(keyword(mode)); }

int link_show_command(std::string_view mode) { return lookup_mode(upper_ascii(mode)); }

}  // namespace kestrel
