// Runs a small listing with the native host and collects what it wrote, for
// the unit tests that drive the interpreter through real instructions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/loop.h"
#include "core/runtime.h"
#include "native/listing.h"
#include "native/native_host.h"
#include "varsys/store.h"
#include "varsys/system_variables.h"

namespace kestrel::testing {

struct ScriptResult {
  std::string out;   // standard output (R060)
  std::string err;   // standard error (R061)
  int exit_code = 0;
  std::vector<NativeHost::Box> boxes;
};

// Runs raw code (lines separated by 0x01, as it is) to its end.
inline ScriptResult run_code(std::string code, uint64_t step_budget = 10'000'000) {
  NativeHost host;
  host.capture = true;
  host.arguments = std::string();
  Runtime rt(host);
  rt.step_budget = step_budget;
  init_system_variables(rt);
  rt.code.assign(std::move(code));
  ScriptResult result;
  result.exit_code = run_program(rt);
  result.out = host.captured[1];
  result.err = host.captured[2];
  result.boxes = host.boxes;
  return result;
}

// Runs `listing` (one instruction per line) to its end.
inline ScriptResult run_listing(std::string_view listing, uint64_t step_budget = 10'000'000) {
  return run_code(listing_to_code(listing), step_budget);
}

// A runtime whose code is `listing`, positioned at 0, for tests that call
// the readers and the store directly.
class ScriptFixture {
 public:
  explicit ScriptFixture(std::string_view listing = "") : rt(host) {
    host.capture = true;
    host.arguments = std::string();
    init_system_variables(rt);
    rt.code.assign(listing_to_code(listing));
  }
  void load(std::string_view listing) { rt.code.assign(listing_to_code(listing)); }
  // Runs the loaded code to its end without the shutdown cleanup, so that
  // the tables can be inspected afterwards. Returns the last step result.
  int execute(uint64_t max_steps = 10'000'000) {
    int last = kStepNext;
    for (uint64_t steps = 0; !rt.code.at_end() && steps < max_steps; ++steps) {
      last = execute_step(rt);
      if (last == kStepStop || last == kStepHalt || rt.out_of_memory) break;
      if (last == kStepNext) rt.code.skip_rest_of_line();
    }
    return last;
  }
  // The value of a variable as the main program reads it.
  std::string value(std::string_view reference) {
    std::string out;
    get_variable(rt, reference, out, rt.area);
    return out;
  }
  // Loads raw code (no listing conversion): `code` as it is.
  void load_raw(std::string code) { rt.code.assign(std::move(code)); }

  NativeHost host;
  Runtime rt;
};

}  // namespace kestrel::testing
