// The runtime's environment table: the name=value texts that R015 reads
// and R016 changes. It starts as a copy of the process environment; names
// compare without regard to the case of the letters a to z, as they do in
// the Windows environment.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// An assignment text split at its first "=".
struct EnvironmentAssignment {
  std::string_view name;
  std::string_view value;
};

// Splits `text` at its first "=". Returns nothing when there is no "=" or
// the name before it is empty (a nameless variable cannot be set).
std::optional<EnvironmentAssignment> split_assignment(std::string_view text);

// True when two variable names are equal without regard to ASCII case.
bool same_variable_name(std::string_view a, std::string_view b);

class EnvironmentTable {
 public:
  // Adds the entries of an environment block as GetEnvironmentStrings
  // returns it: texts each ending in a zero byte, the block ending in an
  // empty text. Entries without "=" are skipped. A name may begin with "="
  // (the per-drive directories "=C:=C:\dir"): its own "=" ends it.
  void load_block(const char* block);

  // The value of `name`, or nothing when the table has no such entry.
  std::optional<std::string> find(std::string_view name) const;

  // Enters `text` (name=value) in the table: an entry of the same name is
  // replaced, a new name is added; an empty value removes the entry, as it
  // removes the variable from the process environment. Returns false for a
  // text that split_assignment rejects, leaving the table unchanged.
  bool assign(std::string_view text);

  // Releases every entry.
  void clear() { entries_.clear(); }
  size_t size() const { return entries_.size(); }

 private:
  // The entry's name part: up to the first "=" after its first character.
  static std::string_view entry_name(std::string_view entry);
  std::vector<std::string>::iterator locate(std::string_view name);

  std::vector<std::string> entries_;
};

}  // namespace kestrel
