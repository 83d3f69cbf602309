// The portable rules of the registry commands: root and type keywords,
// byte lists in both directions and the signed text of number values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/registry_rules.h"

namespace kestrel {
namespace {

std::string show(const std::vector<uint8_t>& bytes) {
  std::string text = "{";
  for (size_t i = 0; i < bytes.size(); ++i) text += (i ? "," : "") + std::to_string(bytes[i]);
  return text + "}";
}

TEST(RegistryRules, RootKeywordsAreExact) {
  struct Case {
    const char* operand;
    std::optional<RegistryRoot> expected;
  };
  const Case cases[] = {
      {"CLASSES_ROOT", RegistryRoot::ClassesRoot}, {"CURRENT_CONFIG", RegistryRoot::CurrentConfig},
      {"CURRENT_USER", RegistryRoot::CurrentUser}, {"LOCAL_MACHINE", RegistryRoot::LocalMachine},
      {"USERS", RegistryRoot::Users},              {"DYN_DATA", RegistryRoot::Users},
      {"current_user", std::nullopt},              {" CURRENT_USER", std::nullopt},
      {"HKEY_CURRENT_USER", std::nullopt},         {"", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto actual = registry_root(c.operand);
    EXPECT_EQ(actual, c.expected) << "root \"" << c.operand << "\": got "
                                  << (actual ? static_cast<int>(*actual) : -1);
  }
}

TEST(RegistryRules, TypeKeywords) {
  struct Case {
    const char* operand;
    RegistryType expected;
  };
  const Case cases[] = {
      {"DWORD", RegistryType::Number},  {" dword\t", RegistryType::Number},
      {"1", RegistryType::Number},      {"BINARY", RegistryType::Bytes},
      {"binary", RegistryType::Bytes},  {" 2 ", RegistryType::Bytes},
      {"3", RegistryType::Text},        {"", RegistryType::Text},
      {"SZ", RegistryType::Text},       {"01", RegistryType::Text},
  };
  for (const Case& c : cases)
    EXPECT_EQ(static_cast<int>(registry_type(c.operand)), static_cast<int>(c.expected))
        << "type \"" << c.operand << "\"";
}

TEST(RegistryRules, BytesFromList) {
  struct Case {
    const char* id;
    const char* list;
    const char* separator;
    std::vector<uint8_t> expected;
  };
  const Case cases[] = {
      {"bin-1.1", "1|255|256", "|", {1, 255, 0}},
      {"bin-1.2", "", "|", {}},
      {"bin-1.3", "1||2", "|", {1, 0, 2}},
      {"bin-1.4", "1|", "|", {1}},
      {"bin-1.5", "-1| 7x|abc", "|", {255, 7, 0}},
      {"bin-1.6", "1::2:3", "::", {1, 2}},  // the whole separator text splits
      {"bin-1.7", "513", "|", {1}},
  };
  for (const Case& c : cases) {
    const auto actual = bytes_from_list(c.list, c.separator);
    EXPECT_EQ(show(actual), show(c.expected)) << c.id;
  }
}

TEST(RegistryRules, ByteListText) {
  struct Case {
    const char* id;
    std::vector<uint8_t> bytes;
    const char* separator;
    const char* expected;
  };
  const Case cases[] = {
      {"binr-1.1", {1, 255, 0}, "|", "001|255|000"},
      {"binr-1.2", {}, "|", ""},
      {"binr-1.3", {42}, "|", "042"},
      {"binr-1.4", {1, 2, 3}, ";;", "001;002;003"},  // only the first character joins
      {"binr-1.5", {1, 2}, "", "001002"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(byte_list_text(c.bytes, c.separator), c.expected) << c.id;
}

TEST(RegistryRules, NumbersReadSigned) {
  struct Case {
    uint32_t raw;
    const char* expected;
  };
  const Case cases[] = {
      {0, "0"}, {42, "42"}, {2147483647u, "2147483647"},
      {2147483648u, "-2147483648"}, {4294967295u, "-1"},
  };
  for (const Case& c : cases) EXPECT_EQ(number_value_text(c.raw), c.expected) << c.raw;
}

}  // namespace
}  // namespace kestrel
