// The portable rules of the program and system commands: the window-mode
// table (R010/R030 trim the mode, R065 does not), the runtime environment
// table with its case-insensitive names, and the shutdown request of R044.
//
// R044 is tested only through the ShutdownSystem seam with a recording
// fake: no test may ever ask the machine that runs it to shut down.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/program_environment.h"
#include "commands/program_rules.h"
#include "commands/system_shutdown.h"

namespace kestrel {
namespace {

struct ModeCase {
  const char* id;
  const char* mode;
  int launch;  // R010 / R030
  int link;    // R065
};

const ModeCase kModeCases[] = {
    {"mode-1.1", "HIDE", 0, 0},
    {"mode-1.2", "hide", 0, 0},
    {"mode-1.3", "1", 0, 0},
    {"mode-1.4", "MAXIMIZED", 3, 3},
    {"mode-1.5", "2", 3, 3},
    {"mode-1.6", "Minimized", 2, 2},
    {"mode-1.7", "3", 2, 2},
    // Anything else shows the window normally.
    {"mode-2.1", "", 5, 5},
    {"mode-2.2", "NORMAL", 5, 5},
    {"mode-2.3", "4", 5, 5},
    {"mode-2.4", "0", 5, 5},
    {"mode-2.5", "HIDDEN", 5, 5},
    {"mode-2.6", "01", 5, 5},
    // Blanks and tabs around the mode: trimmed for programs, not for links.
    {"mode-3.1", " HIDE", 0, 5},
    {"mode-3.2", "\thide\t", 0, 5},
    {"mode-3.3", "2 ", 3, 5},
    {"mode-3.4", " minimized ", 2, 5},
    {"mode-3.5", "HI DE", 5, 5},
};

class ModeTable : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeTable, MapsToShowCommand) {
  const ModeCase& c = GetParam();
  const int launch = launch_show_command(c.mode);
  const int link = link_show_command(c.mode);
  EXPECT_EQ(launch, c.launch) << c.id << " launch \"" << c.mode << "\": got " << launch
                              << ", expected " << c.launch;
  EXPECT_EQ(link, c.link) << c.id << " link \"" << c.mode << "\": got " << link
                          << ", expected " << c.link;
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeTable, ::testing::ValuesIn(kModeCases));

struct ShutdownCase {
  const char* id;
  const char* mode;
  uint32_t flags;
};

const ShutdownCase kShutdownCases[] = {
    {"shut-1.1", "POWEROFF", 8},
    {"shut-1.2", "logoff", 0},
    {"shut-1.3", " reboot\t", 2},
    {"shut-1.4", "Reboot", 2},
    // Digits are not keywords, and nothing adds the force flag.
    {"shut-2.1", "3", 1},
    {"shut-2.2", "2", 1},
    {"shut-2.3", "", 1},
    {"shut-2.4", "SHUTDOWN", 1},
    {"shut-2.5", "RE BOOT", 1},
    {"shut-2.6", "REBOOTX", 1},
};

class ShutdownTable : public ::testing::TestWithParam<ShutdownCase> {};

TEST_P(ShutdownTable, MapsKeywordToFlags) {
  const ShutdownCase& c = GetParam();
  const uint32_t flags = shutdown_flags(c.mode);
  EXPECT_EQ(flags, c.flags) << c.id << " \"" << c.mode << "\": got " << flags << ", expected "
                            << c.flags;
}

INSTANTIATE_TEST_SUITE_P(Keywords, ShutdownTable, ::testing::ValuesIn(kShutdownCases));

struct RequestCase {
  const char* id;
  const char* mode;
  bool privilege_ok;
  bool exit_ok;
  const char* record;
};

// The privilege steps come first, with the token access 0x28, the name
// SeShutdownPrivilege and the attribute SE_PRIVILEGE_ENABLED; their failure
// does not stop the request, and only ExitWindowsEx decides the outcome.
const RequestCase kRequestCases[] = {
    {"req-1.1", "reboot", true, true,
     "OpenProcessToken 0x28\nLookupPrivilegeValueA SeShutdownPrivilege\n"
     "AdjustTokenPrivileges 2\nExitWindowsEx 2 0\n"},
    {"req-1.2", "", true, false,
     "OpenProcessToken 0x28\nLookupPrivilegeValueA SeShutdownPrivilege\n"
     "AdjustTokenPrivileges 2\nExitWindowsEx 1 0\n"},
    // Without security the token cannot be opened: straight to the request.
    {"req-2.1", "poweroff", false, true, "OpenProcessToken 0x28\nExitWindowsEx 8 0\n"},
    {"req-2.2", "LOGOFF", false, false, "OpenProcessToken 0x28\nExitWindowsEx 0 0\n"},
};

class ShutdownRequest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(ShutdownRequest, EnablesPrivilegeThenAsks) {
  const RequestCase& c = GetParam();
  RecordingShutdown fake(c.privilege_ok, c.exit_ok);
  const bool ok = request_shutdown(fake, c.mode);
  EXPECT_EQ(ok, c.exit_ok) << c.id << ": got " << ok << ", expected " << c.exit_ok;
  EXPECT_EQ(fake.record(), c.record) << c.id << ": got\n" << fake.record() << "expected\n"
                                     << c.record;
}

INSTANTIATE_TEST_SUITE_P(Steps, ShutdownRequest, ::testing::ValuesIn(kRequestCases));

struct SplitCase {
  const char* id;
  const char* text;
  bool ok;
  const char* name;
  const char* value;
};

const SplitCase kSplitCases[] = {
    {"split-1.1", "A=1", true, "A", "1"},
    {"split-1.2", "A=", true, "A", ""},
    {"split-1.3", "A==b=c", true, "A", "=b=c"},
    {"split-1.4", " A = 1", true, " A ", " 1"},
    {"split-2.1", "A", false, "", ""},
    {"split-2.2", "", false, "", ""},
    // A nameless variable cannot be set.
    {"split-2.3", "=1", false, "", ""},
};

class AssignmentSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(AssignmentSplit, SplitsAtFirstEquals) {
  const SplitCase& c = GetParam();
  const auto parts = split_assignment(c.text);
  ASSERT_EQ(parts.has_value(), c.ok) << c.id << " \"" << c.text << "\": got "
                                     << parts.has_value() << ", expected " << c.ok;
  if (!parts) return;
  EXPECT_EQ(parts->name, c.name) << c.id;
  EXPECT_EQ(parts->value, c.value) << c.id;
}

INSTANTIATE_TEST_SUITE_P(Texts, AssignmentSplit, ::testing::ValuesIn(kSplitCases));

// An environment block as GetEnvironmentStrings returns it.
const char kBlock[] =
    "=C:=C:\\work\0Path=C:\\windows\0ComSpec=C:\\windows\\cmd.exe\0broken\0EMPTY=\0\0";

struct LookupCase {
  const char* id;
  const char* name;
  bool found;
  const char* value;
};

const LookupCase kLookupCases[] = {
    {"env-1.1", "PATH", true, "C:\\windows"},
    {"env-1.2", "path", true, "C:\\windows"},
    {"env-1.3", "COMSPEC", true, "C:\\windows\\cmd.exe"},
    {"env-1.4", "=c:", true, "C:\\work"},
    {"env-1.5", "EMPTY", true, ""},
    {"env-2.1", "broken", false, ""},
    {"env-2.2", "PAT", false, ""},
    {"env-2.3", "", false, ""},
    {"env-2.4", "=C", false, ""},
};

class EnvironmentLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(EnvironmentLookup, FindsByNameInAnyCase) {
  const LookupCase& c = GetParam();
  EnvironmentTable table;
  table.load_block(kBlock);
  const auto value = table.find(c.name);
  ASSERT_EQ(value.has_value(), c.found) << c.id << " \"" << c.name << "\": got "
                                        << value.has_value() << ", expected " << c.found;
  if (value) {
    EXPECT_EQ(*value, c.value) << c.id;
  }
}

INSTANTIATE_TEST_SUITE_P(Names, EnvironmentLookup, ::testing::ValuesIn(kLookupCases));

// A sequence of assignments, each followed by a lookup.
struct AssignStep {
  const char* text;
  bool ok;
  const char* lookup;
  const char* expected;  // nullptr: not found
};

TEST(EnvironmentTable, AssignmentsReplaceAddAndRemove) {
  const AssignStep steps[] = {
      {"A=1", true, "a", "1"},
      {"a=2", true, "A", "2"},           // same name in another case: replaced
      {"Path=D:\\bin", true, "PATH", "D:\\bin"},
      {"B=x=y", true, "b", "x=y"},
      {"A=", true, "A", nullptr},        // an empty value removes it
      {"A=", true, "A", nullptr},        // removing it again is no fault
      {"noequals", false, "noequals", nullptr},
      {"=X", false, "", nullptr},
      {"A=3", true, "A", "3"},           // added again after its removal
  };
  EnvironmentTable table;
  table.load_block(kBlock);
  for (size_t i = 0; i < std::size(steps); ++i) {
    const AssignStep& s = steps[i];
    const bool ok = table.assign(s.text);
    EXPECT_EQ(ok, s.ok) << "step " << i << " \"" << s.text << "\": got " << ok << ", expected "
                        << s.ok;
    const auto value = table.find(s.lookup);
    if (s.expected == nullptr) {
      EXPECT_FALSE(value.has_value()) << "step " << i << ": got \"" << value.value_or("")
                                      << "\", expected no entry";
    } else {
      EXPECT_EQ(value.value_or("<none>"), s.expected) << "step " << i;
    }
  }
  // Replacing never adds a second entry of the same name.
  EXPECT_EQ(table.size(), 6u) << "entries: got " << table.size() << ", expected 6";
}

}  // namespace
}  // namespace kestrel
