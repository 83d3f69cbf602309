#include "varsys/os_version.h"

namespace kestrel {

namespace {

constexpr uint32_t kPlatform9x = 1;
constexpr uint32_t kPlatformNt = 2;

// Names of the 95 family (major 4); nullptr when no rule matches.
const char* name_9x(uint32_t minor, uint32_t build) {
  const uint32_t low = build & 0xFFFFu;
  if (minor == 0 || minor == 3) {
    if (low == 951) return "95A";
    if (low == 1111 || low == 1212) return "95B";
    if (low == 1214) return "95C";
  } else if (minor == 10) {
    if (low == 1998) return "98";
    if (low == 2000 || low == 2222) return "98SE";
  } else if (minor == 90 && low == 3000) {
    return "ME";
  }
  return nullptr;
}

// Names of major version 5 (2000, XP, Server 2003).
const char* name_5(uint32_t minor, uint32_t build) {
  if (minor == 0 && build == 2195) return "2000";
  if ((minor == 0 || minor == 1) && (build == 2505 || build == 2600)) return "XP";
  if (minor <= 2) return "2003";
  return "unknown";
}

// Names of the NT versions after 5.x. Windows 11 still reports 10.0 and
// is told apart by its build number.
const char* name_nt6_and_later(uint32_t major, uint32_t minor, uint32_t build) {
  if (major == 6) {
    switch (minor) {
      case 0: return "VISTA";
      case 1: return "7";
      case 2: return "8";
      case 3: return "8.1";
      default: return "unknown";
    }
  }
  if (major == 10 && minor == 0) return build >= 22000 ? "11" : "10";
  return "unknown";
}

}  // namespace

std::string os_version_name(const OsVersion& version) {
  if (version.platform != kPlatform9x && version.platform != kPlatformNt) return "unknown";
  if (version.platform == kPlatform9x && version.major == 4) {
    if (const char* name = name_9x(version.minor, version.build)) return name;
  }
  if (version.major == 4) return "NT4";
  if (version.major == 5) return name_5(version.minor, version.build);
  if (version.platform == kPlatformNt && version.major >= 6)
    return name_nt6_and_later(version.major, version.minor, version.build);
  return "unknown";
}

}  // namespace kestrel
