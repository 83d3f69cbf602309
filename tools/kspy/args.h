// Command-line options of the kspy subcommands: --name VALUE pairs and
// flags, read from the UTF-16 command line.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kspy {

struct Args {
  std::vector<std::wstring> positional;
  std::map<std::wstring, std::wstring> values;  // "--timeout" -> "5000"
  std::set<std::wstring> flags;                 // "--hidden"

  bool has(const std::wstring& name) const { return values.count(name) || flags.count(name); }
  std::wstring value(const std::wstring& name, const std::wstring& fallback = L"") const;
  // The option as a number; `fallback` when absent, -1 when not a number.
  long long number(const std::wstring& name, long long fallback) const;
};

// Reads argv[first..]: options in `with_value` take the next argument,
// other "--x" are flags. False (message on stderr) on a missing value.
bool parse_args(int argc, wchar_t** argv, int first, const std::set<std::wstring>& with_value,
                Args& out);

// Prints "kspy: MESSAGE" to stderr and returns 2 (bad usage).
int usage(const char* message);

}  // namespace kspy
