#include "commands/registry_rules.h"

#include <array>
#include <cstdio>

#include "core/text.h"
#include "varsys/list_split.h"

namespace kestrel {

namespace {

struct RootKeyword {
  std::string_view keyword;
  RegistryRoot root;
};

constexpr std::array<RootKeyword, 6> kRootKeywords{{
    {"CLASSES_ROOT", RegistryRoot::ClassesRoot},
    {"CURRENT_CONFIG", RegistryRoot::CurrentConfig},
    {"CURRENT_USER", RegistryRoot::CurrentUser},
    {"LOCAL_MACHINE", RegistryRoot::LocalMachine},
    {"USERS", RegistryRoot::Users},
    {"DYN_DATA", RegistryRoot::Users},  // the users root, not the dynamic-data one
}};

}  // namespace

std::optional<RegistryRoot> registry_root(std::string_view keyword) {
  for (const RootKeyword& entry : kRootKeywords)
    if (entry.keyword == keyword) return entry.root;
  return std::nullopt;
}

RegistryType registry_type(std::string_view operand) {
  const std::string word = keyword(operand);
  if (word == "DWORD" || word == "1") return RegistryType::Number;
  if (word == "BINARY" || word == "2") return RegistryType::Bytes;
  return RegistryType::Text;
}

std::vector<uint8_t> bytes_from_list(std::string_view list, std::string_view separator) {
  std::vector<uint8_t> bytes;
  ListSplitter splitter(list, separator);
  std::string_view item;
  while (splitter.next(item))
    bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(text_to_int(item)) & 0xFF));
  return bytes;
}

std::string byte_list_text(const std::vector<uint8_t>& bytes, std::string_view separator) {
  std::string text;
  text.reserve(bytes.size() * 4);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0 && !separator.empty()) text += separator.front();
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03u", static_cast<unsigned>(bytes[i]));
    text += digits;
  }
  return text;
}

std::string number_value_text(uint32_t raw) { return int_text(static_cast<int32_t>(raw)); }

}  // namespace kestrel
