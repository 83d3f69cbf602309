#include "commands/program_environment.h"

#include <cstring>

namespace kestrel {

namespace {

char fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::optional<EnvironmentAssignment> split_assignment(std::string_view text) {
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos || equals == 0) return std::nullopt;
  return EnvironmentAssignment{text.substr(0, equals), text.substr(equals + 1)};
}

bool same_variable_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

std::string_view EnvironmentTable::entry_name(std::string_view entry) {
  const size_t equals = entry.find('=', 1);
  return entry.substr(0, equals == std::string_view::npos ? entry.size() : equals);
}

void EnvironmentTable::load_block(const char* block) {
  if (block == nullptr) return;
  while (*block != '\0') {
    const std::string_view entry(block);
    if (entry.find('=', 1) != std::string_view::npos) entries_.emplace_back(entry);
    block += entry.size() + 1;
  }
}

std::vector<std::string>::iterator EnvironmentTable::locate(std::string_view name) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (same_variable_name(entry_name(*it), name)) return it;
  return entries_.end();
}

std::optional<std::string> EnvironmentTable::find(std::string_view name) const {
  for (const std::string& entry : entries_) {
    const std::string_view entry_view(entry);
    const std::string_view entry_key = entry_name(entry_view);
    if (same_variable_name(entry_key, name))
      return std::string(entry_view.substr(entry_key.size() + 1));
  }
  return std::nullopt;
}

bool EnvironmentTable::assign(std::string_view text) {
  const std::optional<EnvironmentAssignment> parts = split_assignment(text);
  if (!parts) return false;
  auto it = locate(parts->name);
  if (parts->value.empty()) {
    if (it != entries_.end()) entries_.erase(it);
  } else if (it != entries_.end()) {
    it->assign(text);
  } else {
    entries_.emplace_back(text);
  }
  return true;
}

}  // namespace kestrel
