// File attributes, drive types and disk space: testing and setting one
// attribute named by a keyword, the type of a drive and the free and total
// bytes of a disk (in full, also above 4 GiB).
#include <windows.h>

#include <optional>
#include <string>

#include "commands/file_result.h"
#include "commands/file_rules.h"
#include "varsys/eval.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

// R039 target, path, keyword: "0" in the target when the path has the
// attribute, "-1" when not; an unreadable path or an unknown keyword gives
// "-1" in the target and the result code.
int test_attribute(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string path = eval_operand(rt);
  const std::optional<uint32_t> bit = file_rules::attribute_bit(eval_operand(rt));
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (!bit || attributes == INVALID_FILE_ATTRIBUTES) {
    set_truth(rt, target, false);
    set_file_result(rt, false);
    return kStepNext;
  }
  set_file_result(rt, true);
  set_truth(rt, target, (attributes & *bit) != 0);
  return kStepNext;
}

// R040 path, keyword: adds the attribute (NORMAL clears all others). The
// result code says only whether the path and keyword were valid: a bit the
// system will not set this way (directory, compressed) still gives "0".
int set_attribute(Runtime& rt) {
  const std::string path = eval_operand(rt);
  const std::optional<uint32_t> bit = file_rules::attribute_bit(eval_operand(rt));
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (!bit || attributes == INVALID_FILE_ATTRIBUTES) {
    set_file_result(rt, false);
    return kStepNext;
  }
  set_file_result(rt, true);
  if (const std::optional<uint32_t> wanted = file_rules::attributes_with(attributes, *bit)) {
    ::SetFileAttributesA(path.c_str(), *wanted);
  }
  return kStepNext;
}

// R043 target, root: the drive type code of a root path such as C:\.
int drive_type(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string root = eval_operand(rt);
  set_variable(rt, target, file_rules::drive_type_code(::GetDriveTypeA(root.c_str())), rt.area);
  return kStepNext;
}

// R042 and R057 target, directory: the disk's free bytes (not limited by
// the caller's quota) or its total bytes, or "-1" when the query fails.
template <bool kTotal>
int disk_space(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string directory = eval_operand(rt);
  ULARGE_INTEGER bytes{};
  const BOOL ok = kTotal ? ::GetDiskFreeSpaceExA(directory.c_str(), nullptr, &bytes, nullptr)
                         : ::GetDiskFreeSpaceExA(directory.c_str(), nullptr, nullptr, &bytes);
  set_variable(rt, target, ok ? std::to_string(bytes.QuadPart) : std::string("-1"), rt.area);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R039", test_attribute}, {"R040", set_attribute}, {"R043", drive_type},
    {"R042", disk_space<false>}, {"R057", disk_space<true>},
};

}  // namespace

const OpcodeGroup kAttributeOpcodes{kEntries};

}  // namespace kestrel
