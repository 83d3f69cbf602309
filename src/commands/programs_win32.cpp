// Starting programs and documents, running command lines, shell links and
// environment variables: R010 R030 R014 R020 R065 R015 R016.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>

#include "commands/program_environment.h"
#include "commands/program_link_win32.h"
#include "commands/program_rules.h"
#include "core/runtime.h"
#include "core/text.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "win32/handles.h"
#include "win32/platform_groups.h"
#include "win32/win32_host.h"

namespace kestrel {

namespace {

void set_result(Runtime& rt, std::string value) { set_variable(rt, "0", std::move(value), rt.area); }
void set_result(Runtime& rt, bool ok) { set_result(rt, std::string(ok ? "0" : "-1")); }

// The runtime's environment table, copied from the process environment on
// first use; its texts live until the end of the run.
EnvironmentTable& runtime_environment() {
  static std::unique_ptr<EnvironmentTable> table;
  if (!table) {
    table = std::make_unique<EnvironmentTable>();
    if (char* block = ::GetEnvironmentStringsA()) {
      table->load_block(block);
      ::FreeEnvironmentStringsA(block);
    }
    win32::host().on_shutdown([] { table.reset(); });
  }
  return *table;
}

// The owners of a started process's handles.
struct StartedProcess {
  win32::UniqueHandleObject process;
  win32::UniqueHandleObject thread;
};

// Starts `command_line` with CreateProcessA: startup record with the show
// command, process attributes without descriptor or inheritance, the
// runtime's environment and directory. Nothing when the start fails.
std::optional<StartedProcess> start_process(const std::string& command_line, int show) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;  // 68
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  SECURITY_ATTRIBUTES security{};
  security.nLength = sizeof security;  // 12
  security.bInheritHandle = FALSE;
  std::string writable = command_line;  // CreateProcessA may write to it
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(nullptr, writable.data(), &security, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
    return std::nullopt;
  return StartedProcess{win32::UniqueHandleObject(info.hProcess),
                        win32::UniqueHandleObject(info.hThread)};
}

// Waits for `process` in steps of 100 ms, serving at most one message of
// the thread after each step so that the runtime's windows stay alive.
void wait_serving_messages(HANDLE process) {
  while (::WaitForSingleObject(process, 100) == WAIT_TIMEOUT) {
    MSG message;
    if (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

// The exit code of an ended process in decimal, or "-1" when it has not
// ended or its code cannot be read.
std::string exit_code_text(HANDLE process) {
  DWORD code = 0;
  if (::WaitForSingleObject(process, 0) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(process, &code))
    return "-1";
  return int_text(static_cast<int32_t>(code));
}

// R010 command line, window mode: WinExec; its value is the result code.
int start_program(Runtime& rt) {
  const std::string command_line = eval_operand(rt);
  const int show = launch_show_command(eval_operand(rt));
  const UINT value = ::WinExec(command_line.c_str(), static_cast<UINT>(show));
  set_result(rt, int_text(value));
  return kStepNext;
}

// R030 command line, window mode: starts the program and waits for it; the
// result code is its exit code, or "-1" when it could not be started.
int run_program_and_wait(Runtime& rt) {
  const std::string command_line = eval_operand(rt);
  const int show = launch_show_command(eval_operand(rt));
  std::optional<StartedProcess> started = start_process(command_line, show);
  if (!started) {
    set_result(rt, false);
    return kStepNext;
  }
  wait_serving_messages(started->process.get());
  set_result(rt, exit_code_text(started->process.get()));
  return kStepNext;
}

// The command interpreter: COMSPEC, or CMD.EXE found along PATH; nothing
// when neither gives a program.
std::optional<std::string> command_interpreter() {
  const std::string named = win32::host().environment_value("COMSPEC");
  if (!named.empty()) return named;
  const std::string path = win32::host().environment_value("PATH");
  if (path.empty()) return std::nullopt;
  char found[MAX_PATH];
  const DWORD length = ::SearchPathA(path.c_str(), "CMD.EXE", nullptr, MAX_PATH, found, nullptr);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  return std::string(found, length);
}

// Runs "interpreter /c command" and waits for it without serving messages.
// Returns the exit status, or nothing when it could not be started. The
// interpreter inherits the runtime's handles, as the C library's command
// call gives them.
std::optional<int32_t> run_interpreter(const std::string& interpreter, const std::string& command) {
  std::string command_line = "\"" + interpreter + "\" /c " + command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(interpreter.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0,
                        nullptr, nullptr, &startup, &info))
    return std::nullopt;
  win32::UniqueHandleObject process(info.hProcess);
  win32::UniqueHandleObject thread(info.hThread);
  DWORD code = 0;
  if (::WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(process.get(), &code))
    return std::nullopt;
  return static_cast<int32_t>(code);
}

// R014 command line: runs it through the command interpreter and waits;
// the result code is the interpreter's exit status, or "-1".
int run_command_line(Runtime& rt) {
  const std::string command = eval_operand(rt);
  std::optional<int32_t> status;
  if (std::optional<std::string> interpreter = command_interpreter())
    status = run_interpreter(*interpreter, command);
  set_result(rt, status ? int_text(*status) : std::string("-1"));
  return kStepNext;
}

// R020 file name: opens it with its associated program (ShellExecuteA,
// default verb, SW_SHOWNORMAL); the result code is the returned value.
int open_document(Runtime& rt) {
  const std::string file = eval_operand(rt);
  HINSTANCE value = ::ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  set_result(rt, int_text(static_cast<int32_t>(reinterpret_cast<INT_PTR>(value))));
  return kStepNext;
}

// R065 link, target, arguments, directory, icon file, window mode: creates
// the shell link "link.lnk" (".lnk" is always appended).
int create_link(Runtime& rt) {
  win32::LinkRequest request;
  request.file = eval_operand(rt) + ".lnk";
  request.target = eval_operand(rt);
  request.arguments = eval_operand(rt);
  request.working_directory = eval_operand(rt);
  request.icon_file = eval_operand(rt);
  request.show_command = link_show_command(eval_operand(rt));
  set_result(rt, win32::create_shell_link(request));
  return kStepNext;
}

// R015 [target] name: the variable's value from the runtime's environment
// (name trimmed, any letter case), or an empty text and "-1".
int read_environment(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string name(trim_blanks(eval_operand(rt)));
  std::optional<std::string> value = runtime_environment().find(name);
  set_variable(rt, target, value.value_or(std::string()), rt.area);
  set_result(rt, value.has_value());
  return kStepNext;
}

// Sets (or, with an empty value, removes) a process environment variable.
// Removing a variable that is not there leaves the environment as asked.
bool set_process_variable(const std::string& name, const std::string& value) {
  if (::SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str())) return true;
  return value.empty() && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND;
}

// R016 name=value: sets the variable in the process environment and, once
// the system has accepted it, in the runtime's table, so that both stay
// in step; "-1" without "=" or when the system refuses.
int set_environment(Runtime& rt) {
  const std::string text = eval_operand(rt);
  const std::optional<EnvironmentAssignment> parts = split_assignment(text);
  const bool ok = parts &&
                  set_process_variable(std::string(parts->name), std::string(parts->value)) &&
                  runtime_environment().assign(text);
  set_result(rt, ok);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R010", start_program},   {"R030", run_program_and_wait}, {"R014", run_command_line},
    {"R020", open_document},   {"R065", create_link},          {"R015", read_environment},
    {"R016", set_environment},
};

}  // namespace

const OpcodeGroup kProgramOpcodes{kEntries};

}  // namespace kestrel
