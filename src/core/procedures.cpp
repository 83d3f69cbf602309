// Procedures, functions and external calls. A definition becomes known when
// execution reaches its header; a call opens a new area in which the
// parameters live, and everything declared there goes on return.
#include <cstring>

#include "core/flow.h"
#include "core/runtime.h"
#include "core/text.h"
#include "core/trace.h"
#include "varsys/eval.h"
#include "varsys/store.h"

namespace kestrel {

namespace {

// Passes over a body from the position after its header: the labels in it
// are registered as the procedure's own.
void pass_over_body(Runtime& rt, const std::string& name, bool is_function) {
  CallRecord record;
  record.name = name;
  rt.calls.push_back(std::move(record));
  ++rt.area;
  seek(rt, is_function ? "ENDF" : "ENDP", false);
  --rt.area;
  rt.calls.pop_back();
}

// Reads the parameter references of a header up to the line end.
std::vector<std::string> read_parameters(Runtime& rt) {
  std::vector<std::string> parameters;
  const char first = rt.code.peek_token_char();
  if (first == '0') {
    rt.code.skip_rest_of_line();
    return parameters;
  }
  std::string reference;
  for (;;) {
    if (!next_reference(rt, reference)) {
      rt.code.skip_rest_of_line();
      return parameters;
    }
    parameters.push_back(reference);
    const char next = rt.code.read_token_char();
    if (next == kLineEnd || next == 0) return parameters;
    rt.code.unread();
  }
}

// PROC and FUNC reached in execution.
int definition(Runtime& rt) {
  if (!rt.frames.empty()) return kStepNext;  // the body runs as ordinary code
  const bool is_function = rt.opcode[0] == 'F';
  std::string name = upper_ascii(trim_blanks(eval_operand(rt)));
  auto known = rt.procedure_index.find(name);
  if (known != rt.procedure_index.end()) {
    // The same definition reached again, or a second definition of the
    // name elsewhere: not registered again, its body is passed over.
    rt.code.skip_rest_of_line();
    pass_over_body(rt, name, is_function);
    return kStepNext;
  }
  Procedure procedure;
  procedure.name = name;
  procedure.parameters = read_parameters(rt);
  procedure.body = rt.code.pos;
  procedure.is_function = is_function;
  rt.procedure_index.emplace(name, rt.procedures.size());
  rt.procedures.push_back(std::move(procedure));
  pass_over_body(rt, name, is_function);
  return kStepNext;
}

int call(Runtime& rt) {
  const std::string name = eval_operand(rt);
  auto found = rt.procedure_index.find(name);
  if (found == rt.procedure_index.end()) {
    trace_stop(rt, "call of an undefined procedure");
    return kStepStop;
  }
  if (rt.calls.size() >= rt.call_limit) {
    rt.out_of_memory = true;  // the loop stops with its message
    return kStepNext;
  }
  const Procedure& procedure = rt.procedures[found->second];
  CallRecord record;
  record.name = procedure.name;
  if (procedure.is_function) {
    std::string result;
    next_reference(rt, result);
    record.result_reference = std::move(result);
  }
  rt.calls.push_back(std::move(record));
  const int area = rt.area + 1;
  std::string argument;
  for (const std::string& parameter : procedure.parameters) {
    if (!parameter.empty() && parameter[0] == '*') {
      const std::string_view own = std::string_view(parameter).substr(1);
      next_reference(rt, argument);
      declare_variable(rt, own, area);
      bind_variable(rt, own, argument, area);
    } else {
      eval_operand(rt, argument);
      declare_variable(rt, parameter, area);
      set_variable(rt, parameter, argument, area);
    }
    if (rt.out_of_memory) return kStepNext;
  }
  rt.calls.back().return_position = rt.code.pos;
  rt.code.pos = procedure.body;
  rt.area = area;
  return kStepContinue;
}

// Removes the locals of the current call, lowers the area and hands the
// function result to the caller; the call record is consumed.
void return_from_call(Runtime& rt, const std::string* result) {
  CallRecord record = std::move(rt.calls.back());
  rt.calls.pop_back();
  for (const std::string& local : record.locals) free_variable(rt, local, true);
  --rt.area;
  if (record.result_reference)
    set_variable(rt, *record.result_reference, result ? *result : std::string(),
                 rt.area);
  rt.code.pos = record.return_position;
}

int return_statement(Runtime& rt) {
  if (rt.area <= 0 || rt.calls.empty()) return kStepNext;
  std::string result;
  if (rt.calls.back().result_reference && !at_line_end(rt)) eval_operand(rt, result);
  const std::string name = rt.calls.back().name;
  std::erase_if(rt.frames, [&](const LoopFrame& frame) {
    return frame.owner && *frame.owner == name;
  });
  return_from_call(rt, &result);
  return kStepNext;
}

int end_definition(Runtime& rt) {
  if (rt.area <= 0 || rt.calls.empty()) return kStepNext;
  return_from_call(rt, nullptr);
  return kStepNext;
}

int external_call(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string library_name = eval_operand(rt);
  const std::string function_name = eval_operand(rt);
  std::vector<std::string> arguments;
  while (!at_line_end(rt)) {
    const size_t before = rt.code.pos;
    arguments.push_back(eval_operand(rt));
    if (rt.code.pos == before) rt.code.read_char();  // not an operand: skip it
  }
  LibraryHandle library = nullptr;
  for (const Library& entry : rt.libraries)
    if (entry.name == library_name) library = entry.handle;
  if (!library) {
    library = rt.host.load_library(library_name);
    if (library) rt.libraries.push_back({library_name, library});
  }
  FunctionHandle function =
      library ? rt.host.find_function(library, function_name) : nullptr;
  ExternalResult result;
  if (function) {
    std::vector<const char*> pointers;
    pointers.reserve(arguments.size());
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    result = rt.host.call_external(function, pointers);
    set_variable(rt, "0", int_text(result.status), rt.area);
  } else {
    set_variable(rt, "0", "-1", rt.area);
  }
  set_variable(rt, target, result.has_text ? result.text : std::string(), rt.area);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"PROC", definition},     {"FUNC", definition},     {"CALL", call},
    {"RRET", return_statement}, {"ENDP", end_definition}, {"ENDF", end_definition},
    {"REXT", external_call},
};

}  // namespace

const OpcodeGroup kProcedureOpcodes{kEntries};

}  // namespace kestrel
