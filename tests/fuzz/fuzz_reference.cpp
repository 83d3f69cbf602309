// Variable references: the text inside an operand's brackets is split into
// name and indices (index variables and arithmetic included), then used to
// write, read, declare and free through the store.
#include <string>

#include "fuzz_support.h"
#include "varsys/reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = kestrel::fuzz::as_text(data, size);
  kestrel::fuzz::FuzzRuntime f;
  // Arrays of a few thousand elements show every growth path; larger ones
  // only slow the search down.
  kestrel::VariableStore::set_element_budget(4096);
  kestrel::Runtime& rt = f.rt;
  kestrel::set_variable(rt, "62", "3", 0);
  kestrel::set_variable(rt, "63", "-7", 0);
  kestrel::set_variable(rt, "64", "62", 0);
  kestrel::declare_variable(rt, "65'3'2'", 0);

  kestrel::ParsedReference ref;
  kestrel::parse_reference(rt, text, ref);
  KESTREL_FUZZ_CHECK(ref.count >= 0 && ref.count <= kestrel::kMaxIndices);
  KESTREL_FUZZ_CHECK(!ref.too_many || ref.count == kestrel::kMaxIndices);
  for (int i = 0; i < ref.count; ++i) KESTREL_FUZZ_CHECK(ref.index[i] >= -1);
  KESTREL_FUZZ_CHECK(rt.reference_depth == 0);

  std::string value;
  kestrel::set_variable(rt, text, "value", 0);
  kestrel::get_variable(rt, text, value, 0);
  kestrel::declare_variable(rt, text, 0);
  kestrel::free_variable(rt, text, true);
  kestrel::get_variable(rt, text, value, 0);
  KESTREL_FUZZ_CHECK(rt.store.element_count() <= kestrel::VariableStore::element_budget());
  return 0;
}
