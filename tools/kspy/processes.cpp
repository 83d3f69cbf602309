#include "processes.h"

#include <tlhelp32.h>

#include "window_access.h"

namespace kspy {

std::map<DWORD, std::wstring> process_names() {
  std::map<DWORD, std::wstring> names;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
       more = ::Process32NextW(snapshot, &entry)) {
    std::wstring name = entry.szExeFile;
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    names[entry.th32ProcessID] = name;
  }
  ::CloseHandle(snapshot);
  return names;
}

DWORD window_process(HWND hwnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

namespace {

std::wstring base_name(std::wstring name) {
  const size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  if (name.size() > 4 && same_text_nocase(name.substr(name.size() - 4), L".exe"))
    name.resize(name.size() - 4);
  return name;
}

}  // namespace

bool exe_matches(const std::wstring& exe, const std::wstring& name) {
  return exe.empty() || same_text_nocase(base_name(exe), base_name(name));
}

}  // namespace kspy
