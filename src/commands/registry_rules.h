// The portable rules of the registry commands: root and value-type
// keywords, the byte-list form of binary values and the text of a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

enum class RegistryRoot { ClassesRoot, CurrentConfig, CurrentUser, LocalMachine, Users };
enum class RegistryType { Number, Bytes, Text };

// The root named by `keyword`, compared exactly (callers that accept any
// case and blanks pass keyword(operand)). "DYN_DATA" names the users root.
std::optional<RegistryRoot> registry_root(std::string_view keyword);

// The value type of a type operand (trimmed and upper-cased here):
// "DWORD" or "1" a number, "BINARY" or "2" a byte list, anything else text.
RegistryType registry_type(std::string_view operand);

// The bytes of a byte list: items split at the whole separator text, each
// read as an integer whose low 8 bits make one byte. An empty text gives no
// bytes.
std::vector<uint8_t> bytes_from_list(std::string_view list, std::string_view separator);

// The script form of binary data: every byte as three decimal digits,
// joined by the first character of `separator` (by nothing when it is
// empty), no separator after the last byte.
std::string byte_list_text(const std::vector<uint8_t>& bytes, std::string_view separator);

// The script form of a 32-bit number value: signed decimal, so values of
// 2147483648 and above read negative.
std::string number_value_text(uint32_t raw);

}  // namespace kestrel
