// The registry commands R053 (write a value), R064 (read a value), R054
// (delete a value), R055 (create a key) and R056 (delete a key). Each opens
// and closes the keys it uses within the one instruction and reports in the
// result code.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "commands/registry_rules.h"
#include "core/runtime.h"
#include "core/text.h"
#include "varsys/eval.h"
#include "varsys/store.h"
#include "win32/handles.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

using win32::UniqueKey;

// First size of a text read, and what is added to the size the system
// reports when the value is larger.
constexpr DWORD kReadChunk = 2048;
// Reads of a text value retried while it keeps growing between two reads.
constexpr int kTextReadTries = 8;

void report(Runtime& rt, bool ok) { set_variable(rt, "0", ok ? "0" : "-1", rt.area); }

std::string separator(Runtime& rt) {
  std::string text;
  get_variable(rt, "44", text, rt.area);
  return text;
}

HKEY root_key(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users: return HKEY_USERS;
  }
  return nullptr;
}

// The root of a root operand compared after trimming and upper-casing, as
// every registry command but R064 does.
std::optional<HKEY> lenient_root(const std::string& operand) {
  const std::optional<RegistryRoot> root = registry_root(keyword(operand));
  if (!root) return std::nullopt;
  return root_key(*root);
}

// The key a value command works on: the root itself for an empty path,
// otherwise the path opened below it (closed when the holder goes).
struct OpenedKey {
  HKEY key = nullptr;
  UniqueKey owner;
};

// Opens `path` below `root`; false when it cannot be opened.
bool open_key(HKEY root, const std::string& path, OpenedKey& out) {
  if (path.empty()) {
    out.key = root;
    return true;
  }
  HKEY opened = nullptr;
  if (::RegOpenKeyA(root, path.c_str(), &opened) != ERROR_SUCCESS) return false;
  out.owner.reset(opened);
  out.key = opened;
  return true;
}

LONG write_value(HKEY key, const std::string& name, RegistryType type,
                 const std::string& data, const std::string& list_separator) {
  switch (type) {
    case RegistryType::Number: {
      const auto number = static_cast<DWORD>(text_to_int(data));
      return ::RegSetValueExA(key, name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    case RegistryType::Bytes: {
      const std::vector<uint8_t> bytes = bytes_from_list(data, list_separator);
      return ::RegSetValueExA(key, name.c_str(), 0, REG_BINARY, bytes.data(),
                              static_cast<DWORD>(bytes.size()));
    }
    case RegistryType::Text:
      return ::RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>(data.size() + 1));
  }
  return ERROR_INVALID_PARAMETER;
}

// R053: type, root, key path, value name, data.
int write_registry_value(Runtime& rt) {
  const std::string type = eval_operand(rt);
  const std::string root_operand = eval_operand(rt);
  const std::string path = eval_operand(rt);
  const std::string name = eval_operand(rt);
  const std::string data = eval_operand(rt);
  const std::optional<HKEY> root = lenient_root(root_operand);
  OpenedKey key;
  if (!root || !open_key(*root, path, key)) {
    report(rt, false);
    return kStepNext;
  }
  report(rt, write_value(key.key, name, registry_type(type), data, separator(rt)) ==
                 ERROR_SUCCESS);
  return kStepNext;
}

// Reads a number value: at most 4 bytes into a value that starts as 0.
std::optional<std::string> read_number(HKEY key, const char* name) {
  uint32_t raw = 0;
  DWORD size = sizeof raw;
  if (::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&raw),
                         &size) != ERROR_SUCCESS)
    return std::nullopt;
  return number_value_text(raw);
}

// Reads a byte list: at most 2048 bytes; a larger value fails.
std::optional<std::string> read_bytes(HKEY key, const char* name, const std::string& sep) {
  std::vector<uint8_t> bytes(kReadChunk, 0);
  DWORD size = kReadChunk;
  if (::RegQueryValueExA(key, name, nullptr, nullptr, bytes.data(), &size) != ERROR_SUCCESS)
    return std::nullopt;
  bytes.resize(size);
  return byte_list_text(bytes, sep);
}

// Reads a text value of any length: the buffer grows to the reported size
// plus 2048 bytes while the system reports more data. The text ends at its
// first zero byte, or at the end of the data when it has none.
std::optional<std::string> read_text(HKEY key, const char* name) {
  DWORD capacity = kReadChunk;
  for (int attempt = 0; attempt < kTextReadTries; ++attempt) {
    std::vector<char> buffer(capacity + 1, '\0');
    DWORD size = capacity;
    const LONG status = ::RegQueryValueExA(key, name, nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status == ERROR_SUCCESS) {
      const size_t end = size < capacity ? size : capacity;
      std::string text(buffer.data(), end);
      return text.substr(0, text.find('\0'));
    }
    if (status != ERROR_MORE_DATA || size > MAXDWORD - 2 * kReadChunk) return std::nullopt;
    capacity = size + kReadChunk;
  }
  return std::nullopt;
}

// R064: target, type, root, key path, value name. The root is compared
// exactly as evaluated; a failed read leaves the target unchanged.
int read_registry_value(Runtime& rt) {
  std::string target;
  next_reference(rt, target);
  const std::string type = eval_operand(rt);
  const std::string root_operand = eval_operand(rt);
  const std::string path = eval_operand(rt);
  const std::string name = eval_operand(rt);
  const std::optional<RegistryRoot> root = registry_root(root_operand);
  OpenedKey key;
  if (!root || !open_key(root_key(*root), path, key)) {
    report(rt, false);
    return kStepNext;
  }
  const char* value_name = name.empty() ? nullptr : name.c_str();
  std::optional<std::string> text;
  switch (registry_type(type)) {
    case RegistryType::Number: text = read_number(key.key, value_name); break;
    case RegistryType::Bytes: text = read_bytes(key.key, value_name, separator(rt)); break;
    case RegistryType::Text: text = read_text(key.key, value_name); break;
  }
  report(rt, text.has_value());
  if (text) set_variable(rt, target, std::move(*text), rt.area);
  return kStepNext;
}

// R054: root, key path, value name.
int delete_registry_value(Runtime& rt) {
  const std::string root_operand = eval_operand(rt);
  const std::string path = eval_operand(rt);
  const std::string name = eval_operand(rt);
  const std::optional<HKEY> root = lenient_root(root_operand);
  OpenedKey key;
  if (!root || !open_key(*root, path, key)) {
    report(rt, false);
    return kStepNext;
  }
  report(rt, ::RegDeleteValueA(key.key, name.c_str()) == ERROR_SUCCESS);
  return kStepNext;
}

// R055: root, key path. Creates the key or opens an existing one.
int create_registry_key(Runtime& rt) {
  const std::string root_operand = eval_operand(rt);
  const std::string path = eval_operand(rt);
  const std::optional<HKEY> root = lenient_root(root_operand);
  HKEY created = nullptr;
  const bool ok = root && ::RegCreateKeyExA(*root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                            nullptr, &created, nullptr) == ERROR_SUCCESS;
  const UniqueKey owner(ok ? created : nullptr);
  report(rt, ok);
  return kStepNext;
}

// R056: root, key path. An empty path would name the root itself, which is
// never deleted: that fails.
int delete_registry_key(Runtime& rt) {
  const std::string root_operand = eval_operand(rt);
  const std::string path = eval_operand(rt);
  const std::optional<HKEY> root = lenient_root(root_operand);
  report(rt, root && !path.empty() && ::RegDeleteKeyA(*root, path.c_str()) == ERROR_SUCCESS);
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"R053", write_registry_value}, {"R064", read_registry_value},
    {"R054", delete_registry_value}, {"R055", create_registry_key},
    {"R056", delete_registry_key},
};

}  // namespace

const OpcodeGroup kRegistryOpcodes{kEntries};

}  // namespace kestrel
