// Blocks, loops, jumps and halting. The code carries no jump addresses:
// block and loop ends are found by scanning the text line by line, and
// labels become known when execution or a scan passes them.
#include "core/flow.h"

#include <cstring>

#include "core/runtime.h"
#include "core/text.h"
#include "core/trace.h"
#include "varsys/eval.h"

namespace kestrel {

namespace {

bool same_owner(const std::optional<std::string>& owner, const std::string* name) {
  if (!owner) return name == nullptr;
  return name != nullptr && *owner == *name;
}

// Reads the next opcode of a scan into rt.opcode, in capitals.
const char* read_scan_opcode(Runtime& rt) {
  rt.code.read_opcode(rt.opcode);
  for (char* c = rt.opcode; *c; ++c)
    if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
  return rt.opcode;
}

bool is(const char* opcode, const char* name) { return std::strcmp(opcode, name) == 0; }

// Reads the rest of a label line (its line end consumed) and registers it.
void read_and_register_label(Runtime& rt, std::string& name) {
  rt.code.read_to_delimiter(kLineEnd, &name);
  register_label(rt, name);
}

// Finds a registered label visible from the running code: main-program
// labels everywhere, a procedure's labels only inside that procedure.
const LabelEntry* find_visible_label(Runtime& rt, std::string_view name) {
  auto it = rt.labels.find(name);
  if (it == rt.labels.end()) return nullptr;
  const std::string* procedure = rt.current_procedure();
  for (const LabelEntry& entry : it->second) {
    if (!entry.owner) return &entry;
    if (rt.area > 0 && procedure && *entry.owner == *procedure) return &entry;
  }
  return nullptr;
}

}  // namespace

void register_label(Runtime& rt, std::string_view name) {
  name = trim_blanks(name);
  const std::string* procedure = rt.current_procedure();
  auto it = rt.labels.find(name);
  if (it == rt.labels.end()) {
    it = rt.labels.emplace(std::string(name), std::vector<LabelEntry>{}).first;
  } else {
    for (const LabelEntry& entry : it->second)
      if (!entry.owner || same_owner(entry.owner, procedure)) return;
  }
  LabelEntry entry;
  if (procedure) entry.owner = *procedure;
  entry.position = rt.code.pos;
  it->second.push_back(std::move(entry));
}

void push_loop_frame(Runtime& rt, size_t position) {
  LoopFrame frame;
  if (const std::string* procedure = rt.current_procedure()) frame.owner = *procedure;
  frame.position = position;
  rt.frames.push_back(std::move(frame));
}

void pop_loop_frame(Runtime& rt) {
  if (!rt.frames.empty()) rt.frames.pop_back();
}

bool seek(Runtime& rt, std::string_view target, bool is_label) {
  if (is_label) {
    if (const LabelEntry* entry = find_visible_label(rt, target)) {
      rt.code.pos = entry->position;
      rt.frames.clear();
      return true;
    }
  }
  int loops = 0;
  std::string name;
  while (!rt.code.at_end()) {
    const char* opcode = read_scan_opcode(rt);
    if (is(opcode, "RLBL")) {
      read_and_register_label(rt, name);
      if (is_label && trim_blanks(name) == target) return true;
      continue;
    }
    if (!is_label) {
      if (target == opcode) return true;
    } else if (is(opcode, "RRPT")) {
      push_loop_frame(rt, rt.code.pos);
      ++loops;
    } else if (is(opcode, "RUNT") && loops > 0) {
      --loops;
      eval_condition(rt);
      pop_loop_frame(rt);
    }
    rt.code.skip_rest_of_line();
  }
  trace_stop(rt, is_label ? "label not found" : "end of definition not found");
  return false;
}

namespace {

// RLBL: the rest of the line is the name.
int label_line(Runtime& rt) {
  std::string name;
  read_and_register_label(rt, name);
  return kStepContinue;
}

// Scans from a false RXIF to the branch that runs, or past the block.
void skip_false_branch(Runtime& rt) {
  rt.code.skip_rest_of_line();
  int nesting = 0;
  std::string name;
  while (!rt.code.at_end()) {
    const char* opcode = read_scan_opcode(rt);
    if (is(opcode, "RXIF")) {
      ++nesting;
    } else if (is(opcode, "RXIE") && nesting == 0) {
      if (eval_condition(rt)) return;
    } else if (is(opcode, "RXEL") && nesting == 0) {
      return;
    } else if (is(opcode, "RXEI")) {
      if (nesting == 0) return;
      --nesting;
    } else if (is(opcode, "RLBL")) {
      read_and_register_label(rt, name);
      continue;
    }
    rt.code.skip_rest_of_line();
  }
}

// RXIF and R0IF.
int condition(Runtime& rt) {
  const bool one_line = rt.opcode[1] == '0';
  const bool result = eval_condition(rt);
  if (one_line) return result ? kStepContinue : kStepNext;
  if (!result) skip_false_branch(rt);
  return kStepNext;
}

// RXIE and RXEL, reached when the branch before them has run: continue
// after the block's RXEI.
int branch_end(Runtime& rt) {
  rt.code.skip_rest_of_line();
  int nesting = 0;
  std::string name;
  while (!rt.code.at_end()) {
    const char* opcode = read_scan_opcode(rt);
    if (is(opcode, "RXIF")) {
      ++nesting;
    } else if (is(opcode, "RXEI")) {
      if (nesting == 0) return kStepNext;
      --nesting;
    } else if (is(opcode, "RLBL")) {
      read_and_register_label(rt, name);
      continue;
    }
    rt.code.skip_rest_of_line();
  }
  return kStepNext;
}

int block_end(Runtime&) { return kStepNext; }

int repeat(Runtime& rt) {
  push_loop_frame(rt, rt.code.pos);
  return kStepNext;
}

// Rebuilds the loop frames of the loops that enclose the instruction being
// executed, by reading the code from its start up to that instruction.
void rebuild_frames(Runtime& rt) {
  const size_t here = rt.code.pos;
  char saved[5];
  std::memcpy(saved, rt.opcode, sizeof saved);
  rt.code.pos = 0;
  while (!rt.code.at_end()) {
    const char* opcode = read_scan_opcode(rt);
    if (rt.code.pos >= here) break;
    if (is(opcode, "RRPT")) {
      push_loop_frame(rt, rt.code.pos);
    } else if (is(opcode, "RUNT") && !rt.frames.empty()) {
      eval_condition(rt);
      pop_loop_frame(rt);
    }
    rt.code.skip_rest_of_line();
  }
  rt.code.pos = here;
  std::memcpy(rt.opcode, saved, sizeof saved);
}

// True when the innermost loop may be re-entered from the running code.
bool may_loop_back(Runtime& rt) {
  if (rt.area <= 0) return true;
  return same_owner(rt.frames.back().owner, rt.current_procedure()) &&
         rt.frames.back().owner.has_value();
}

int until(Runtime& rt) {
  if (rt.frames.empty()) rebuild_frames(rt);
  if (eval_condition(rt)) {
    pop_loop_frame(rt);
    return kStepNext;
  }
  if (rt.frames.empty() || !may_loop_back(rt)) return kStepNext;
  rt.code.pos = rt.frames.back().position;
  return kStepNext;
}

int continue_loop(Runtime& rt) {
  if (rt.frames.empty()) rebuild_frames(rt);
  if (rt.frames.empty() || !may_loop_back(rt)) return kStepNext;
  rt.code.pos = rt.frames.back().position;
  return kStepNext;
}

int break_loop(Runtime& rt) {
  int loops = 0;
  while (!rt.code.at_end()) {
    const char* opcode = read_scan_opcode(rt);
    if (is(opcode, "RRPT")) {
      ++loops;
    } else if (is(opcode, "RUNT")) {
      eval_condition(rt);
      if (loops == 0) {
        pop_loop_frame(rt);
        return kStepNext;
      }
      --loops;
    }
    rt.code.skip_rest_of_line();
  }
  return kStepNext;
}

std::string read_jump_target(Runtime& rt) {
  return std::string(trim_blanks(eval_operand(rt)));
}

int jump(Runtime& rt) {
  const std::string target = read_jump_target(rt);
  rt.code.skip_rest_of_line();
  seek(rt, target, true);
  return kStepContinue;
}

int jump_and_return(Runtime& rt) {
  const std::string target = read_jump_target(rt);
  rt.return_stack.push_back(rt.code.pos);
  rt.code.skip_rest_of_line();
  seek(rt, target, true);
  return kStepContinue;
}

int come_back(Runtime& rt) {
  if (rt.return_stack.empty()) return kStepNext;
  rt.code.pos = rt.return_stack.back();
  rt.return_stack.pop_back();
  return kStepNext;
}

int halt(Runtime& rt) {
  if (!at_line_end(rt)) rt.exit_code = text_to_int(eval_operand(rt));
  trace_stop(rt, "halt");
  return kStepHalt;
}

// RRLR: the script's language version must be 2.1 (in single precision).
int language_version(Runtime& rt) {
  const float version = static_cast<float>(text_to_double(eval_operand(rt)));
  if (version == 2.1f) return kStepNext;
  rt.host.message_box(
      "ERROR: RTL uses newer KSIL-specification!\nThis may result unpredictable "
      "results.",
      "Kestrel Runtime Language Conflict", box_style::icon_error);
  trace_stop(rt, "language version conflict");
  return kStepHalt;
}

constexpr OpcodeEntry kEntries[] = {
    {"RRLR", language_version}, {"RLBL", label_line}, {"RXIF", condition},
    {"R0IF", condition},        {"RXIE", branch_end}, {"RXEL", branch_end},
    {"RXEI", block_end},        {"RRPT", repeat},     {"RUNT", until},
    {"RCNT", continue_loop},    {"RBRK", break_loop}, {"R004", jump},
    {"R005", jump_and_return},  {"R006", come_back},  {"RHLT", halt},
    {"R003", halt},
};

}  // namespace

const OpcodeGroup kFlowOpcodes{kEntries};

}  // namespace kestrel
