// Small helpers shared by the file command units: the result code and the
// target variable of a command.
#pragma once

#include <string>

#include "core/runtime.h"
#include "varsys/store.h"

namespace kestrel {

// Stores "0" (success) or "-1" (failure) in the result code.
inline void set_file_result(Runtime& rt, bool success) {
  set_variable(rt, "0", success ? "0" : "-1", rt.area);
}

// Stores "0" or "-1" in the variable `target`.
inline void set_truth(Runtime& rt, const std::string& target, bool yes) {
  set_variable(rt, target, yes ? "0" : "-1", rt.area);
}

}  // namespace kestrel
