// Shared set-up of the fuzz targets: a native runtime whose memory and
// running time stay bounded whatever the input asks for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/runtime.h"
#include "native/native_host.h"
#include "varsys/store.h"
#include "varsys/system_variables.h"

namespace kestrel::fuzz {

// Instructions per run: enough for loops and calls to go round many times,
// few enough that one input runs in milliseconds.
inline constexpr uint64_t kStepBudget = 2000;
// Texts and arrays a fuzzed script may build (the run stops with the
// out-of-memory message beyond them).
inline constexpr size_t kTextLimit = size_t{64} << 10;
inline constexpr uint64_t kElementBudget = uint64_t{1} << 16;

// A runtime with the native host capturing its streams, the system
// variables set up and the fuzzing limits in place.
struct FuzzRuntime {
  FuzzRuntime() : rt(host) {
    VariableStore::set_element_budget(kElementBudget);
    host.capture = true;
    host.arguments = std::string("fuzz arguments");
    host.executable = "fuzz.exe";
    rt.step_budget = kStepBudget;
    rt.text_limit = kTextLimit;
    init_system_variables(rt);
  }
  NativeHost host;
  Runtime rt;
};

inline std::string_view as_text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Aborts with a message, so that libFuzzer records the input, when an
// invariant of the code under test does not hold.
[[noreturn]] void invariant_failed(const char* what);

#define KESTREL_FUZZ_CHECK(condition) \
  do {                                \
    if (!(condition)) ::kestrel::fuzz::invariant_failed(#condition); \
  } while (0)

}  // namespace kestrel::fuzz
