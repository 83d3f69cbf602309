#include "core/loop.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "core/dispatch.h"
#include "core/runtime.h"
#include "core/trace.h"
#include "varsys/store.h"

namespace kestrel {

namespace {

constexpr const char* kRuntimeError = "Kestrel Runtime Error";

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

void show_out_of_memory(Runtime& rt) {
  rt.host.message_box(kOutOfMemoryText, kOutOfMemoryCaption, box_style::icon_error);
}

LoadStatus load_image_file(Runtime& rt, const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    rt.host.message_box(kRuntimeError, "Fatal runtime error", box_style::icon_error);
    return LoadStatus::fatal;
  }
  unsigned char trailer[4] = {};
  long size = -1;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) size = std::ftell(file.get());
  if (size < 4 || std::fseek(file.get(), size - 4, SEEK_SET) != 0 ||
      std::fread(trailer, 1, 4, file.get()) != 4) {
    // Too short to carry a trailer: there is no attached code.
    return LoadStatus::no_code;
  }
  const uint32_t start = uint32_t{trailer[0]} | uint32_t{trailer[1]} << 8 |
                         uint32_t{trailer[2]} << 16 | uint32_t{trailer[3]} << 24;
  if (start == 0) return LoadStatus::no_code;
  if (start > static_cast<unsigned long>(size)) {
    show_out_of_memory(rt);
    return LoadStatus::fatal;
  }
  std::string bytes(static_cast<size_t>(size) - start, '\0');
  if (std::fseek(file.get(), static_cast<long>(start), SEEK_SET) != 0 ||
      std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    rt.host.message_box(kRuntimeError, "Fatal runtime error", box_style::icon_error);
    return LoadStatus::fatal;
  }
  rt.code.assign(std::move(bytes));
  return LoadStatus::loaded;
}

LoadStatus load_image(Runtime& rt) {
  const std::string path = rt.host.executable_path();
  set_variable(rt, "3", path, 0);
  return load_image_file(rt, path);
}

namespace {

// Reads the opcode at the code position and selects its handler: the step's
// reading of the text, which the memo keeps for the next time.
StepPlan read_step(Runtime& rt) {
  StepPlan plan;
  char* opcode = plan.opcode;
  rt.code.read_opcode(opcode);
  plan.after = rt.code.pos;
  // The label opcode is recognised in capitals only.
  if (opcode[0] == 'R' && opcode[1] == 'L' && opcode[2] == 'B' &&
      opcode[3] == 'L' && opcode[4] == 0) {
    plan.handler = find_handler(opcode);
    return plan;
  }
  for (int i = 0; i < 4 && opcode[i]; ++i)
    if (opcode[i] >= 'a' && opcode[i] <= 'z')
      opcode[i] = static_cast<char>(opcode[i] - 'a' + 'A');
  // A label written in other letters is no instruction.
  if (opcode[0] == 'R' && opcode[1] == 'L' && opcode[2] == 'B' && opcode[3] == 'L') {
    plan.unknown = false;
    return plan;
  }
  plan.handler = find_handler(opcode);
  return plan;
}

}  // namespace

int execute_step(Runtime& rt) {
  rt.memo.follow(rt.code.generation());
  const size_t start = rt.code.pos;
  const StepPlan* plan = rt.memo.steps.find(start);
  StepPlan read;
  if (!plan) {
    read = read_step(rt);
    plan = rt.memo.steps.store(start, rt.code.length(), read);
    if (!plan) plan = &read;
  }
  std::memcpy(rt.opcode, plan->opcode, sizeof rt.opcode);
  rt.code.pos = plan->after;
  if (!plan->handler) {
    if (plan->unknown) trace_stop(rt, "unknown opcode");
    return kStepStop;
  }
  return plan->handler(rt);
}

int run_program(Runtime& rt) {
  int last = kStepNext;
  rt.code.pos = 0;
  uint64_t steps = 0;
  while (!rt.code.at_end() && last != kStepHalt) {
    if (rt.step_budget && ++steps > rt.step_budget) break;
    trace_step(rt);
    last = execute_step(rt);
    if (rt.out_of_memory) {
      trace_stop(rt, "out of memory");
      show_out_of_memory(rt);
      rt.exit_code = 0;
      break;
    }
    if (last == kStepStop) break;
    if (last == kStepNext) rt.code.skip_rest_of_line();
  }
  if (rt.code.at_end() && last != kStepHalt && last != kStepStop)
    trace_stop(rt, "end of code");
  shutdown_cleanup(rt);
  return rt.exit_code;
}

void shutdown_cleanup(Runtime& rt) {
  rt.code.clear();
  rt.calls.clear();
  rt.frames.clear();
  rt.return_stack.clear();
  rt.procedures.clear();
  rt.procedure_index.clear();
  rt.host.shutdown();
  rt.labels.clear();
  for (const Library& library : rt.libraries) rt.host.free_library(library.handle);
  rt.libraries.clear();
  rt.store.clear();
}

}  // namespace kestrel
