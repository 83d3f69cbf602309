// kspy kill --exe NAME: ends every process running NAME (not kspy itself);
// prints how many were ended.
#include <cstdio>

#include "commands.h"
#include "processes.h"

namespace kspy {

int cmd_kill(const Args& args) {
  const std::wstring exe = args.value(L"--exe");
  if (exe.empty()) return usage("kill needs --exe NAME");
  int ended = 0;
  for (const auto& [pid, name] : process_names()) {
    if (pid == ::GetCurrentProcessId() || !exe_matches(exe, name)) continue;
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (process == nullptr) continue;
    if (::TerminateProcess(process, 1)) ++ended;
    ::CloseHandle(process);
  }
  std::printf("%d\n", ended);
  return 0;
}

}  // namespace kspy
