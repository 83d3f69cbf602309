#include "args.h"

#include <cstdio>
#include <cwchar>

namespace kspy {

std::wstring Args::value(const std::wstring& name, const std::wstring& fallback) const {
  const auto it = values.find(name);
  return it == values.end() ? fallback : it->second;
}

long long Args::number(const std::wstring& name, long long fallback) const {
  const auto it = values.find(name);
  if (it == values.end()) return fallback;
  wchar_t* end = nullptr;
  const long long n = std::wcstoll(it->second.c_str(), &end, 0);
  return (end && *end == L'\0' && !it->second.empty()) ? n : -1;
}

bool parse_args(int argc, wchar_t** argv, int first, const std::set<std::wstring>& with_value,
                Args& out) {
  for (int i = first; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (with_value.count(arg)) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "kspy: %ls needs a value\n", arg.c_str());
        return false;
      }
      out.values[arg] = argv[++i];
    } else if (arg.rfind(L"--", 0) == 0) {
      out.flags.insert(arg);
    } else {
      out.positional.push_back(arg);
    }
  }
  return true;
}

int usage(const char* message) {
  std::fprintf(stderr, "kspy: %s (kspy --help)\n", message);
  return 2;
}

}  // namespace kspy
