// The file time commands R046 to R049, handlers of the file contents unit.
#pragma once

namespace kestrel {

struct Runtime;

// R046 target, file: the local last-write date as "MMDDYYYY".
int read_file_date(Runtime& rt);
// R047 file, date: sets month, day and year of the last write.
int set_file_date(Runtime& rt);
// R048 target, file: the local last-write time as "HHMMSS".
int read_file_time(Runtime& rt);
// R049 file, time: sets hour, minute and second of the last write.
int set_file_time(Runtime& rt);

}  // namespace kestrel
