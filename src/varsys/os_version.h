// The operating-system version name of system variable 8, as a pure
// function of the version record that the system reports, so that every
// rule can be checked without the system.
#pragma once

#include <cstdint>
#include <string>

namespace kestrel {

// The fields of the system's version record that the name depends on.
struct OsVersion {
  uint32_t platform = 0;  // 1: the Windows 95 family, 2: the NT family
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
};

// The version name: "95A", "95B", "95C", "98", "98SE", "ME", "NT4", "2000",
// "XP", "2003", "VISTA", "7", "8", "8.1", "10", "11", or "unknown" for a
// platform or version without a name. Builds of the 95 family carry the
// version in their high word, so only the low 16 bits are compared there.
std::string os_version_name(const OsVersion& version);

}  // namespace kestrel
