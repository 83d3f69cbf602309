// Operands and conditions over arbitrary lines: each line is read as one
// value operand and the rest of it as a condition, the way the handlers
// read them, against a store that holds plain values and an array.
#include <string>

#include "fuzz_support.h"
#include "varsys/eval.h"

namespace {

kestrel::fuzz::FuzzRuntime& fixture() {
  static kestrel::fuzz::FuzzRuntime* f = [] {
    auto* made = new kestrel::fuzz::FuzzRuntime;
    kestrel::Runtime& rt = made->rt;
    kestrel::set_variable(rt, "62", "12", 0);
    kestrel::set_variable(rt, "63", "abc", 0);
    kestrel::set_variable(rt, "64", "-3.5", 0);
    kestrel::declare_variable(rt, "65'4'3'", 0);
    kestrel::set_variable(rt, "65'2'1'", "2", 0);
    kestrel::set_variable(rt, "66", "65", 0);
    return made;
  }();
  return *f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kestrel::Runtime& rt = fixture().rt;
  rt.code.assign(std::string(kestrel::fuzz::as_text(data, size)));
  std::string value;
  while (!rt.code.at_end()) {
    const size_t line_start = rt.code.pos;
    kestrel::eval_operand(rt, value);
    KESTREL_FUZZ_CHECK(value.size() <= rt.text_limit);
    if (!kestrel::at_line_end(rt)) kestrel::eval_condition(rt);
    KESTREL_FUZZ_CHECK(rt.eval_depth == 0 && !rt.eval_too_deep);
    KESTREL_FUZZ_CHECK(rt.code.pos >= line_start && rt.code.pos <= rt.code.length());
    rt.code.skip_rest_of_line();
    rt.out_of_memory = false;
  }
  rt.code.clear();
  return 0;
}
