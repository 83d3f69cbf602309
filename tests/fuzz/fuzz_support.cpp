#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace kestrel::fuzz {

void invariant_failed(const char* what) {
  std::fprintf(stderr, "fuzz invariant failed: %s\n", what);
  std::abort();
}

}  // namespace kestrel::fuzz
