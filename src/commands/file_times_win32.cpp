// Reading and setting the last-write time of a file with the precision of
// the FAT date and time format, in local time. The time is read and set on
// the system handle of the open C library stream; only the last-write time
// is touched.
#include "commands/file_times_win32.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <optional>
#include <string>

#include "commands/file_result.h"
#include "commands/file_rules.h"
#include "varsys/eval.h"
#include "win32/handles.h"

namespace kestrel {

namespace {

using file_rules::FatStamp;
using win32::UniqueFile;

HANDLE system_handle(std::FILE* file) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
}

// The local last-write time of the open file, or none when the system
// cannot give it.
std::optional<FatStamp> last_write(std::FILE* file) {
  FILETIME written;
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  if (!::GetFileTime(system_handle(file), nullptr, nullptr, &written) ||
      !::FileTimeToLocalFileTime(&written, &local) ||
      !::FileTimeToDosDateTime(&local, &date, &time)) {
    return std::nullopt;
  }
  return file_rules::fat_from_dos(date, time);
}

// Sets the last-write time of the open file to the local `stamp`; false
// when the system refuses the date or the time.
bool set_last_write(std::FILE* file, const FatStamp& stamp) {
  FILETIME local;
  FILETIME written;
  return ::DosDateTimeToFileTime(file_rules::fat_date_word(stamp),
                                 file_rules::fat_time_word(stamp), &local) &&
         ::LocalFileTimeToFileTime(&local, &written) &&
         ::SetFileTime(system_handle(file), nullptr, nullptr, &written);
}

// R046 and R048: the formatted last-write stamp in the target. A file that
// cannot be opened leaves the target alone (date) or empties it (time).
template <std::string (*Format)(const FatStamp&), bool kEmptyWhenUnopened>
int read_stamp(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string name = eval_operand(rt);
  UniqueFile file(std::fopen(name.c_str(), "rb"));
  if (!file) {
    if (kEmptyWhenUnopened) set_variable(rt, target, std::string(), rt.area);
    set_file_result(rt, false);
    return kStepNext;
  }
  const std::optional<FatStamp> stamp = last_write(file.get());
  set_variable(rt, target, stamp ? Format(*stamp) : std::string(), rt.area);
  set_file_result(rt, stamp.has_value());
  return kStepNext;
}

// R047 and R049: changes the fields of the last-write stamp that the text
// supplies in range and writes it back. The file must open for reading and
// writing ("r+"), so a read-only file fails.
template <void (*Apply)(FatStamp&, std::string_view)>
int set_stamp(Runtime& rt) {
  const std::string name = eval_operand(rt);
  const std::string text = eval_operand(rt);
  UniqueFile file(std::fopen(name.c_str(), "r+"));
  if (!file) {
    set_file_result(rt, false);
    return kStepNext;
  }
  std::optional<FatStamp> stamp = last_write(file.get());
  if (!stamp) {
    set_file_result(rt, false);
    return kStepNext;
  }
  Apply(*stamp, text);
  set_file_result(rt, set_last_write(file.get(), *stamp));
  return kStepNext;
}

}  // namespace

int read_file_date(Runtime& rt) { return read_stamp<file_rules::format_fat_date, false>(rt); }
int read_file_time(Runtime& rt) { return read_stamp<file_rules::format_fat_time, true>(rt); }
int set_file_date(Runtime& rt) { return set_stamp<file_rules::apply_date_text>(rt); }
int set_file_time(Runtime& rt) { return set_stamp<file_rules::apply_time_text>(rt); }

}  // namespace kestrel
