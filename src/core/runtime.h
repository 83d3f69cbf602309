// The state of one run of a script: the code and its position, the
// variable store, the tables of blocks, loops, jumps and calls, and the
// host through which the core reaches the operating system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/code.h"
#include "core/line_memo.h"
#include "host/host.h"
#include "varsys/store.h"

namespace kestrel {

// Step results returned by every handler.
inline constexpr int kStepNext = 0;      // skip the rest of the line
inline constexpr int kStepContinue = 1;  // the position is already right
inline constexpr int kStepStop = -1;     // stop the program
inline constexpr int kStepHalt = 99;     // halt instruction

// A label: registered when execution or a scan passes its line.
struct LabelEntry {
  std::optional<std::string> owner;  // procedure name; none: main program
  size_t position = 0;               // start of the line after the label
};

struct LoopFrame {
  std::optional<std::string> owner;
  size_t position = 0;  // right after the RRPT opcode
};

struct Procedure {
  std::string name;  // upper case
  std::vector<std::string> parameters;
  size_t body = 0;
  bool is_function = false;
};

struct CallRecord {
  size_t return_position = 0;
  std::string name;
  std::vector<std::string> locals;
  std::optional<std::string> result_reference;
};

struct Library {
  std::string name;
  LibraryHandle handle = nullptr;
};

struct Runtime {
  explicit Runtime(Host& host_) : host(host_) {}
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  Host& host;
  Code code;
  VariableStore store;
  // What the readers made of the code text, by code position.
  LineMemo memo;

  // Area of the running code: the number of open calls.
  int area = 0;
  std::vector<CallRecord> calls;

  // Labels by name, each name's entries in registration order.
  std::unordered_map<std::string, std::vector<LabelEntry>, NameHash,
                     std::equal_to<>>
      labels;
  std::vector<LoopFrame> frames;
  std::vector<size_t> return_stack;

  std::vector<Procedure> procedures;
  std::unordered_map<std::string, size_t, NameHash, std::equal_to<>>
      procedure_index;
  std::vector<Library> libraries;

  char opcode[5] = {};
  int exit_code = 0;

  // Set when a script-controlled size could not be allocated; the loop
  // then stops the program with the out-of-memory message.
  bool out_of_memory = false;

  // Nesting depth of operand evaluation and of nested references.
  int eval_depth = 0;
  bool eval_too_deep = false;
  int reference_depth = 0;

  // Pseudo-random generator state of the random-number command.
  uint64_t random_state = 0;
  bool random_seeded = false;

  // Budget of steps for the fuzzers (0: unlimited).
  uint64_t step_budget = 0;

  // Longest text a script may build (concatenation, replacement). A longer
  // result stops the program with the out-of-memory message instead of
  // exhausting the address space of the 32-bit process. The fuzzers lower
  // it to keep their memory bounded.
  size_t text_limit = size_t{256} << 20;
  // Deepest nesting of calls. The call records live on the heap; a deeper
  // recursion stops the program with the out-of-memory message while the
  // records and their locals still fit in a 32-bit address space.
  size_t call_limit = size_t{1} << 22;

  // The procedure name of the current call, if any.
  const std::string* current_procedure() const {
    if (area <= 0 || static_cast<size_t>(area) > calls.size()) return nullptr;
    return &calls[static_cast<size_t>(area) - 1].name;
  }
};

}  // namespace kestrel
