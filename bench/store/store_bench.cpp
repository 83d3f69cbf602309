// The variable store under growing sizes: reading and writing among 1,000
// and 100,000 variables (the time per access stays flat: lookups go by a
// hash of the name, not along a list), and filling and summing arrays of
// 10,000 and 1,000,000 elements (the total time grows linearly: an element
// is found by its index in constant time). Also the heap bytes one empty
// element of a large array costs.
//
//   build/native/store-bench              every workload
//   build/native/store-bench access N     only the accesses among N variables
#include <malloc.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "core/runtime.h"
#include "core/text.h"
#include "native/native_host.h"
#include "varsys/store.h"
#include "varsys/system_variables.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Bench {
  kestrel::NativeHost host;
  kestrel::Runtime rt{host};
  Bench() { kestrel::init_system_variables(rt); }
};

// Nanoseconds per access (one read and one write) among `count` variables.
double access_among(int count) {
  Bench b;
  std::vector<std::string> names;
  names.reserve(count);
  for (int i = 0; i < count; ++i) {
    names.push_back("v" + std::to_string(i));
    kestrel::set_variable(b.rt, names.back(), "0", b.rt.area);
  }
  constexpr int kAccesses = 1'000'000;
  std::string value;
  uint32_t pick = 12345;
  const auto start = Clock::now();
  for (int i = 0; i < kAccesses; ++i) {
    pick = pick * 1103515245u + 12345u;  // spread the accesses over all names
    const std::string& name = names[(pick >> 8) % count];
    kestrel::get_variable(b.rt, name, value, b.rt.area);
    kestrel::set_variable(b.rt, name, value, b.rt.area);
  }
  return seconds_since(start) * 1e9 / kAccesses;
}

// Seconds to declare an array of `count` elements, fill every element
// through its index and sum them back; the sum is checked.
double fill_and_sum(int count) {
  Bench b;
  const auto start = Clock::now();
  kestrel::declare_variable(b.rt, "a'" + std::to_string(count) + "'", b.rt.area);
  for (int i = 1; i <= count; ++i)
    kestrel::set_variable(b.rt, "a'" + std::to_string(i) + "'", std::to_string(i), b.rt.area);
  int64_t sum = 0;
  std::string value;
  for (int i = 1; i <= count; ++i) {
    kestrel::get_variable(b.rt, "a'" + std::to_string(i) + "'", value, b.rt.area);
    sum += kestrel::text_to_int64(value);
  }
  const double elapsed = seconds_since(start);
  if (sum != int64_t{count} * (count + 1) / 2) std::printf("wrong sum %lld\n", (long long)sum);
  return elapsed;
}

// Heap bytes per empty element of a declared array of `count` elements.
double bytes_per_element(int count) {
  Bench b;
  const size_t before = mallinfo2().uordblks;
  kestrel::declare_variable(b.rt, "e'" + std::to_string(count) + "'", b.rt.area);
  const size_t after = mallinfo2().uordblks;
  return double(after - before) / count;
}

}  // namespace

int main(int argc, char** argv) {
  // "store-bench access N": only the access workload among N variables, for
  // counting instructions per access with callgrind.
  if (argc == 3 && std::string(argv[1]) == "access") {
    std::printf("access among %s variables %.1f ns\n", argv[2], access_among(std::atoi(argv[2])));
    return 0;
  }
  std::printf("%-34s %12s\n", "store workload", "result");
  for (int count : {1'000, 100'000})
    std::printf("access among %7d variables      %9.1f ns\n", count, access_among(count));
  for (int count : {10'000, 1'000'000}) {
    const double s = fill_and_sum(count);
    std::printf("fill+sum array of %7d elements %9.3f s (%.0f ns/element)\n", count, s,
                s * 1e9 / count);
  }
  std::printf("empty element of a 1,000,000 array %7.1f bytes (this build, %zu-bit)\n",
              bytes_per_element(1'000'000), sizeof(void*) * 8);
  return 0;
}
