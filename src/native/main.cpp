// kestrel-run: the headless runner. Runs a listing, raw intermediate code
// or a linked image with the native host.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "core/loop.h"
#include "core/runtime.h"
#include "native/listing.h"
#include "native/native_host.h"
#include "varsys/store.h"
#include "varsys/system_variables.h"

namespace {

constexpr const char* kHelp =
    "usage: kestrel-run [--boxes] FILE [ARGUMENTS...]\n"
    "\n"
    "Runs a Kestrel program without Windows. FILE is a linked image (a runtime\n"
    "executable with the code attached), raw intermediate code (lines separated\n"
    "by the byte 0x01) or a text listing (one instruction per line; lines\n"
    "starting with ';' are comments). ARGUMENTS, joined by blanks, are the\n"
    "program's command line (system variable 1).\n"
    "\n"
    "The interpreter core, the variables and the text commands run as in the\n"
    "Windows runtime; R060 and R061 write to standard output and error, and\n"
    "R024 reads lines of files. Commands that need Windows (other file\n"
    "commands, programs, registry, windows, keys, mouse, dialogs, tray, hot\n"
    "keys, external libraries) do nothing and report failure: the result code\n"
    "(variable 0) becomes -1. Message boxes are not shown; each counts as\n"
    "answered with OK, and --boxes describes them on standard error. System\n"
    "variables that read the screen, the pointer or the clipboard read as\n"
    "empty texts.\n"
    "\n"
    "The exit code is the program's exit code.\n";

bool read_file(const char* path, std::string& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  bytes = content.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  bool report_boxes = false;
  if (first < argc && std::strcmp(argv[first], "--boxes") == 0) {
    report_boxes = true;
    ++first;
  }
  if (first >= argc || std::strcmp(argv[first], "--help") == 0 ||
      std::strcmp(argv[first], "-h") == 0) {
    std::fputs(kHelp, first >= argc ? stderr : stdout);
    return first >= argc ? 2 : 0;
  }
  const char* path = argv[first];
  std::string bytes;
  if (!read_file(path, bytes)) {
    std::fprintf(stderr, "kestrel-run: cannot read %s\n", path);
    return 2;
  }
  kestrel::NativeHost host;
  host.report_boxes = report_boxes;
  host.executable = path;
  if (first + 1 < argc) {
    std::string line;
    for (int i = first + 1; i < argc; ++i) {
      if (!line.empty()) line += ' ';
      line += argv[i];
    }
    host.arguments = line;
  } else {
    host.arguments = std::string();
  }
  kestrel::Runtime rt(host);
  kestrel::init_system_variables(rt);
  if (bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z') {
    const kestrel::LoadStatus status = kestrel::load_image(rt);
    if (status != kestrel::LoadStatus::loaded) {
      kestrel::shutdown_cleanup(rt);
      return 0;
    }
  } else {
    kestrel::set_variable(rt, "3", path, 0);
    rt.code.assign(kestrel::is_raw_code(bytes) ? bytes : kestrel::listing_to_code(bytes));
  }
  return kestrel::run_program(rt);
}
