// The start values of the system variables: stored, declared empty or not
// created, the command-line trimming, and which start values pass through
// the write hook.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/runtime.h"
#include "native/native_host.h"
#include "varsys/store.h"
#include "varsys/system_variables.h"

namespace kestrel {
namespace {

// A native host that records the names the write hook was called for.
class RecordingHost : public NativeHost {
 public:
  void write_system_variable(std::string_view name, std::string&) override {
    written.emplace_back(name);
  }
  std::vector<std::string> written;
};

struct Started {
  RecordingHost host;
  Runtime rt{host};
  explicit Started(std::optional<std::string> arguments) {
    host.arguments = std::move(arguments);
    init_system_variables(rt);
  }
  bool exists(const std::string& name) { return rt.store.find_visible(name, 0) != nullptr; }
  std::string value(const std::string& name) {
    std::string out;
    get_variable(rt, name, out, 0);
    return out;
  }
};

struct StartCase {
  const char* name;
  const char* value;  // nullptr: not created
};

const StartCase kStartCases[] = {
    {"0", ""},       {"4", "Kestrel Echo"}, {"5", "Kestrel Confirmation"},
    {"13", "&OK"},   {"14", "&Cancel"},     {"15", "-1"},
    {"16", "-1"},    {"17", "&Ok"},         {"18", "&Cancel"},
    {"19", "450"},   {"20", "300"},         {"21", "150"},
    {"22", "200"},   {"23", "&Ok"},         {"24", "\n"},
    {"25", nullptr}, {"26", "300"},         {"27", "24"},
    {"28", "-1"},    {"29", "5.1"},         {"30", "-1"},
    {"31", "-1"},    {"34", nullptr},       {"35", "\r\n"},
    {"36", "\t"},    {"37", "|"},           {"38", "'"},
    {"39", ""},      {"40", ""},            {"41", ""},
    {"42", "0"},     {"43", "-1"},          {"44", "|"},
    {"45", "-1"},    {"46", "0"},           {"47", "0"},
    {"48", "0"},     {"49", "0"},           {"50", "0"},
    {"51", "0"},     {"52", "0"},           {"53", "0"},
    {"54", nullptr}, {"55", nullptr},       {"61", "\r\n"},
};

TEST(SystemVariables, StartValues) {
  Started s(std::string("x"));
  for (const StartCase& c : kStartCases) {
    EXPECT_EQ(s.exists(c.name), c.value != nullptr) << "variable " << c.name << " created";
    if (c.value) EXPECT_EQ(s.value(c.name), c.value) << "variable " << c.name;
  }
  // The empty ones exist all the same (declared).
  for (const char* name : {"7", "10", "11", "12", "32", "33", "39", "40", "41", "56", "57", "58",
                           "59", "60"})
    EXPECT_TRUE(s.exists(name)) << "variable " << name << " declared";
}

// Stored start values go through the write hook (the buttons' captions and
// the info window act on the built-in windows); declared ones do not.
TEST(SystemVariables, StartValuesRunTheWriteHook) {
  Started s{std::string()};
  const std::set<std::string> written(s.host.written.begin(), s.host.written.end());
  for (const char* name : {"13", "14", "17", "18", "23", "28", "4", "61"})
    EXPECT_TRUE(written.count(name)) << "variable " << name << " not stored through the hook";
  for (const char* name : {"0", "7", "32", "39", "40", "41", "56", "60"})
    EXPECT_FALSE(written.count(name)) << "declared variable " << name << " ran the hook";
  for (const char* name : {"25", "34", "54", "55"})
    EXPECT_FALSE(written.count(name)) << "variable " << name << " should not be created";
}

TEST(SystemVariables, CommandLineIsTrimmed) {
  struct Case {
    std::optional<std::string> arguments;
    const char* expected;
  };
  const Case cases[] = {
      {std::string("  a b  "), "a b"},
      {std::string("\t\"x  y\" \t"), "\"x  y\""},
      {std::string(""), ""},
      {std::string("   "), ""},
      {std::nullopt, ""},
  };
  for (const Case& c : cases) {
    Started s(c.arguments);
    EXPECT_TRUE(s.exists("1"));
    EXPECT_EQ(s.value("1"), c.expected)
        << "arguments [" << c.arguments.value_or("<none>") << "]";
  }
}

}  // namespace
}  // namespace kestrel
