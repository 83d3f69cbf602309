// The recursive file search: R034 lists the entries matching a name mask in
// a start directory and the directories below it, each directory's own
// entries before those of its subdirectories. The search walks by changing
// the process's current directory and restores it from variable 2.
#include "commands/file_search_win32.h"

#include <windows.h>

#include <string>
#include <vector>

#include "commands/file_result.h"
#include "commands/file_rules.h"
#include "core/text.h"
#include "varsys/eval.h"
#include "win32/handles.h"

namespace kestrel {

namespace {

struct Search {
  std::string mask;
  std::vector<std::string> entries;
};

bool is_dot_name(const char* name) {
  return std::string_view(name) == "." || std::string_view(name) == "..";
}

std::string joined(const std::string& prefix, const char* name) {
  return prefix.empty() ? std::string(name) : prefix + '\\' + name;
}

// Searches the current directory: first the entries matching the mask, in
// the system's order, then (while `levels` allows) every subdirectory that
// is not a system directory, entered and left again with "..".
void search_directory(Search& search, const std::string& prefix, int levels) {
  WIN32_FIND_DATAA data;
  {
    win32::UniqueFind find(::FindFirstFileA(search.mask.c_str(), &data));
    if (find) {
      do {
        if (!is_dot_name(data.cFileName)) search.entries.push_back(joined(prefix, data.cFileName));
      } while (::FindNextFileA(find.get(), &data));
    }
  }
  if (levels < 1) return;
  win32::UniqueFind find(::FindFirstFileA("*", &data));
  if (!find) return;
  do {
    if (is_dot_name(data.cFileName)) continue;
    const DWORD attributes = ::GetFileAttributesA(data.cFileName);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (attributes & FILE_ATTRIBUTE_SYSTEM) != 0) {
      continue;
    }
    if (!::SetCurrentDirectoryA(data.cFileName)) continue;
    search_directory(search, joined(prefix, data.cFileName), levels - 1);
    ::SetCurrentDirectoryA("..");
  } while (::FindNextFileA(find.get(), &data));
}

// The entries joined with the separator, none after the last one.
std::string join_entries(const std::vector<std::string>& entries, const std::string& separator) {
  std::string list;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) list += separator;
    list += entries[i];
  }
  return list;
}

}  // namespace

int find_files(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string pattern(trim_blanks(eval_operand(rt)));
  const int32_t depth = text_to_int(trim_blanks(eval_operand(rt)));
  const file_rules::SearchPattern parts = file_rules::split_search_pattern(pattern);
  if (!parts.start_directory.empty() && !::SetCurrentDirectoryA(parts.start_directory.c_str())) {
    set_file_result(rt, false);
    return kStepNext;
  }
  std::string separator;
  get_variable(rt, "44", separator, rt.area);
  Search search{parts.mask, {}};
  search_directory(search, "", file_rules::search_levels(depth));
  set_variable(rt, target, join_entries(search.entries, separator), rt.area);
  std::string current;
  get_variable(rt, "2", current, rt.area);
  ::SetCurrentDirectoryA(current.c_str());
  set_file_result(rt, true);
  return kStepNext;
}

}  // namespace kestrel
