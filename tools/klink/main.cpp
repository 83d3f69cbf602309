// klink: links a Kestrel script onto a copy of the runtime, or lists the
// code attached to a linked program.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "file_io.h"
#include "image.h"
#include "lint.h"
#include "listing.h"
#include "pe_check.h"

namespace {

constexpr const char* kUsage =
    "usage: klink [-r RUNTIME | --trace] [--check] [--raw | --listing] SCRIPT -o PROGRAM.exe\n"
    "       klink --list PROGRAM.exe\n"
    "       klink --help\n";

constexpr const char* kHelp =
    "\n"
    "Links SCRIPT onto a copy of the Kestrel runtime: PROGRAM.exe is the\n"
    "runtime, the banner line \"KESTREL-IMAGE 2.1\" + CR LF, the code, and a\n"
    "4-byte little-endian trailer holding the file offset of the first code\n"
    "byte.\n"
    "\n"
    "SCRIPT is a text listing or raw intermediate code:\n"
    "  listing   one instruction per line, LF or CR LF line ends; lines whose\n"
    "            first non-blank character is ';' are comments and dropped;\n"
    "            every other line becomes a code line followed by 0x01.\n"
    "  raw code  any file that contains a 0x01 byte; copied unchanged.\n"
    "  --raw / --listing force one reading.\n"
    "\n"
    "RUNTIME (a PE executable) defaults to kestrel.exe beside klink itself,\n"
    "else build/win32/kestrel.exe relative to the current directory.\n"
    "--trace links onto the tracing runtime kestrel-trace.exe instead (found\n"
    "the same way): the program then reports every instruction it runs and\n"
    "why it stops on standard error, or in the file named by the environment\n"
    "variable KESTREL_TRACE_FILE.\n"
    "\n"
    "--check runs klint's checks on SCRIPT first and prints the findings as\n"
    "FILE:LINE: kind: message; an error stops the link (exit code 1).\n"
    "\n"
    "--list prints the code attached to PROGRAM.exe, one instruction per line\n"
    "(0x01 and LF both end a line).\n"
    "\n"
    "Exit code 0 on success, 1 on any error (nothing is written then), 2 on\n"
    "bad usage.\n";

enum class Reading { automatic, raw, listing };

struct Options {
  std::string runtime;
  std::string script;
  std::string output;
  std::string list;
  Reading reading = Reading::automatic;
  bool check = false;
  bool trace = false;
};

int fail(const std::string& message) {
  std::fprintf(stderr, "klink: %s\n", message.c_str());
  return 1;
}

int usage_error(const std::string& message) {
  std::fprintf(stderr, "klink: %s\n%s", message.c_str(), kUsage);
  return 2;
}

// Parses the command line into `options`. Returns -1 to go on, otherwise
// the exit code to end with.
int parse_arguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      std::printf("%s%s", kUsage, kHelp);
      return 0;
    } else if (arg == "-r" || arg == "--runtime") {
      if (!value(options.runtime)) return usage_error("-r needs a file name");
    } else if (arg == "-o" || arg == "--output") {
      if (!value(options.output)) return usage_error("-o needs a file name");
    } else if (arg == "--list") {
      if (!value(options.list)) return usage_error("--list needs a file name");
    } else if (arg == "--check") {
      options.check = true;
    } else if (arg == "--trace") {
      options.trace = true;
    } else if (arg == "--raw") {
      options.reading = Reading::raw;
    } else if (arg == "--listing") {
      options.reading = Reading::listing;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usage_error("unknown option " + std::string(arg));
    } else if (options.script.empty()) {
      options.script = arg;
    } else {
      return usage_error("more than one script given");
    }
  }
  if (!options.list.empty()) {
    if (!options.script.empty() || !options.output.empty())
      return usage_error("--list takes only the program");
    return -1;
  }
  if (options.trace && !options.runtime.empty())
    return usage_error("--trace and -r both choose the runtime");
  if (options.script.empty()) return usage_error("no script given");
  if (options.output.empty()) return usage_error("no output given (-o PROGRAM.exe)");
  return -1;
}

// The runtime to link onto when -r is not given: `name` beside klink, else
// in build/win32.
std::string default_runtime(const char* name) {
  namespace fs = std::filesystem;
  const std::string self = klink::self_path();
  if (!self.empty()) {
    const fs::path beside = fs::path(self).parent_path() / name;
    std::error_code ec;
    if (fs::is_regular_file(beside, ec)) return beside.string();
  }
  return (fs::path("build") / "win32" / name).string();
}

// Prints klint's findings on the script; false when one is an error.
bool check_script(const Options& options, const std::string& script) {
  klint::Source source;
  std::string why;
  const klint::Reading reading = options.reading == Reading::raw       ? klint::Reading::raw
                                 : options.reading == Reading::listing ? klint::Reading::listing
                                                                       : klint::Reading::automatic;
  if (!klint::source_from_bytes(script, reading, source, why)) {
    std::fprintf(stderr, "klink: %s: %s\n", options.script.c_str(), why.c_str());
    return false;
  }
  const std::vector<klint::Finding> findings = klint::lint(source);
  for (const klint::Finding& finding : findings)
    std::fprintf(stderr, "%s\n", klint::format_finding(options.script, finding).c_str());
  return !klint::has_error(findings);
}

int list_program(const std::string& path) {
  std::string image, why;
  if (!klink::read_file(path, image, why)) return fail("cannot read " + path + ": " + why);
  std::string_view code;
  if (!klink::attached_code(image, code, why)) return fail(path + ": " + why);
  const std::string listing = klink::code_to_listing(code);
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : fail("cannot write the listing");
}

int link_program(const Options& options) {
  const std::string runtime_path =
      !options.runtime.empty() ? options.runtime
                               : default_runtime(options.trace ? "kestrel-trace.exe" : "kestrel.exe");
  std::string runtime, script, why;
  if (!klink::read_file(runtime_path, runtime, why))
    return fail("cannot read runtime " + runtime_path + ": " + why);
  if (!klink::is_pe_file(runtime, why))
    return fail("runtime " + runtime_path + " is not a PE executable (" + why + ")");
  if (!klink::read_file(options.script, script, why))
    return fail("cannot read script " + options.script + ": " + why);
  if (options.check && !check_script(options, script))
    return fail(options.script + ": errors found, nothing linked");

  const bool raw = options.reading == Reading::raw ||
                   (options.reading == Reading::automatic && klink::is_raw_code(script));
  const std::string code = raw ? script : klink::listing_to_code(script);
  std::string image;
  if (!klink::build_image(runtime, code, image, why)) return fail(why);
  if (!klink::write_file_atomic(options.output, image, why))
    return fail("cannot write " + options.output + ": " + why);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  const int early = parse_arguments(argc, argv, options);
  if (early >= 0) return early;
  return options.list.empty() ? link_program(options) : list_program(options.list);
}
