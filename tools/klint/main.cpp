// klint: checks Kestrel listings, raw code or linked programs for the
// faults that make a program stop without a message.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "lint.h"

namespace {

constexpr const char* kUsage =
    "usage: klint [--raw | --listing] FILE...\n"
    "       klint --help\n";

constexpr const char* kHelp =
    "\n"
    "Checks each FILE (a text listing, raw intermediate code, or a program\n"
    "linked by klink) and prints one line per finding:\n"
    "  FILE:LINE: error: MESSAGE     a fault that stops or misleads the program\n"
    "  FILE:LINE: warning: MESSAGE   code that is suspicious but may be meant\n"
    "LINE is the line of the listing; for raw code and linked programs it is\n"
    "the line of the code (comment lines are not part of the code).\n"
    "\n"
    "Exit code 0 when no FILE has an error, 1 when one has, 2 on bad usage or\n"
    "a file that cannot be read.\n";

}  // namespace

int main(int argc, char** argv) {
  klint::Reading reading = klint::Reading::automatic;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::printf("%s%s", kUsage, kHelp);
      return 0;
    } else if (arg == "--raw") {
      reading = klint::Reading::raw;
    } else if (arg == "--listing") {
      reading = klint::Reading::listing;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "klint: unknown option %s\n%s", argv[i], kUsage);
      return 2;
    } else {
      files.emplace_back(arg);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "klint: no file given\n%s", kUsage);
    return 2;
  }
  int status = 0;
  for (const std::string& file : files) {
    klint::Source source;
    std::string why;
    if (!klint::load_source(file, reading, source, why)) {
      std::fprintf(stderr, "klint: %s: %s\n", file.c_str(), why.c_str());
      status = 2;
      continue;
    }
    const std::vector<klint::Finding> findings = klint::lint(source);
    for (const klint::Finding& finding : findings)
      std::printf("%s\n", klint::format_finding(file, finding).c_str());
    if (klint::has_error(findings) && status == 0) status = 1;
  }
  return status;
}
