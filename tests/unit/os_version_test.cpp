// The operating-system version name for a table of version records as the
// system reports them (platform, major, minor, build).
#include <gtest/gtest.h>

#include "varsys/os_version.h"

namespace kestrel {
namespace {

struct VersionCase {
  const char* id;
  OsVersion version;
  const char* expected;
};

const VersionCase kVersionCases[] = {
    // The 95 family: the build's high word carries the version.
    {"os-1.1", {1, 4, 0, 951}, "95A"},
    {"os-1.2", {1, 4, 0, 0x04000000u | 951}, "95A"},
    {"os-1.3", {1, 4, 0, 1111}, "95B"},
    {"os-1.4", {1, 4, 3, 1212}, "95B"},
    {"os-1.5", {1, 4, 3, 1214}, "95C"},
    {"os-1.6", {1, 4, 10, 1998}, "98"},
    {"os-1.7", {1, 4, 10, 0x040A0000u | 2222}, "98SE"},
    {"os-1.8", {1, 4, 10, 2000}, "98SE"},
    {"os-1.9", {1, 4, 90, 3000}, "ME"},
    // A 95-family 4.x that no rule names falls through to "NT4".
    {"os-1.10", {1, 4, 10, 2001}, "NT4"},
    {"os-1.11", {1, 4, 90, 2999}, "NT4"},
    {"os-1.12", {1, 4, 0, 950}, "NT4"},
    // The NT family up to 5.x.
    {"os-2.1", {2, 4, 0, 1381}, "NT4"},
    {"os-2.2", {2, 5, 0, 2195}, "2000"},
    {"os-2.3", {2, 5, 1, 2600}, "XP"},
    {"os-2.4", {2, 5, 0, 2505}, "XP"},
    {"os-2.5", {2, 5, 1, 2601}, "2003"},
    {"os-2.6", {2, 5, 2, 3790}, "2003"},
    {"os-2.7", {2, 5, 3, 2600}, "unknown"},
    // Rule 5 compares the whole build, not its low word.
    {"os-2.8", {2, 5, 0, 0x00010000u | 2195}, "2003"},
    // NT versions after 5.x get their own names.
    {"os-3.1", {2, 6, 0, 6002}, "VISTA"},
    {"os-3.2", {2, 6, 1, 7601}, "7"},
    {"os-3.3", {2, 6, 2, 9200}, "8"},
    {"os-3.4", {2, 6, 3, 9600}, "8.1"},
    {"os-3.5", {2, 6, 4, 9841}, "unknown"},
    {"os-3.6", {2, 10, 0, 19045}, "10"},
    {"os-3.7", {2, 10, 0, 21999}, "10"},
    {"os-3.8", {2, 10, 0, 22000}, "11"},
    {"os-3.9", {2, 10, 0, 26100}, "11"},
    {"os-3.10", {2, 10, 1, 30000}, "unknown"},
    {"os-3.11", {2, 11, 0, 30000}, "unknown"},
    // Other platforms, and the 95 family beyond major 4.
    {"os-4.1", {0, 4, 0, 951}, "unknown"},
    {"os-4.2", {3, 10, 0, 22000}, "unknown"},
    {"os-4.3", {1, 6, 1, 7601}, "unknown"},
    {"os-4.4", {1, 5, 0, 2195}, "2000"},
};

class VersionTable : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionTable, NamesTheVersion) {
  const VersionCase& c = GetParam();
  EXPECT_EQ(os_version_name(c.version), c.expected)
      << c.id << ": platform " << c.version.platform << " version " << c.version.major << "."
      << c.version.minor << " build " << c.version.build;
}

INSTANTIATE_TEST_SUITE_P(Records, VersionTable, ::testing::ValuesIn(kVersionCases),
                         [](const auto& info) {
                           std::string id = info.param.id;
                           for (char& ch : id)
                             if (ch == '-' || ch == '.') ch = '_';
                           return id;
                         });

}  // namespace
}  // namespace kestrel
