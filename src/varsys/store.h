// The variable store: one top-level list of variables (held per name, in
// creation order, so that the newest visible variable of a name is found
// without walking the others) and the five store operations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "varsys/node.h"

namespace kestrel {

struct Runtime;

struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

class VariableStore {
 public:
  VariableStore();
  ~VariableStore();
  VariableStore(const VariableStore&) = delete;
  VariableStore& operator=(const VariableStore&) = delete;

  // The newest variable of `name` created in `area` or in area 0.
  Variable* find_visible(std::string_view name, int area);
  // The newest variable of `name`, whatever its area.
  Variable* find_newest(std::string_view name);
  // The newest variable of `name` created in exactly `area`.
  Variable* find_in_area(std::string_view name, int area);

  // Appends a new variable at the newest end.
  Variable* append(std::string_view name, int area);
  // Unlinks and frees `variable`.
  void remove(Variable* variable);
  // Frees every variable.
  void clear();

  // Creates `count` empty elements at the end of `node`'s element list
  // (creating the list). Returns false, creating nothing, when the element
  // budget would be exceeded.
  bool add_elements(Node& node, uint64_t count);
  // Frees the element list of `node` with all deeper levels.
  void drop_elements(Node& node);

  // Makes `holder` an alias of `target`.
  void set_alias(Variable& holder, Node* target);

  uint64_t element_count() const { return element_count_; }
  // Changes whenever a variable is added or removed, that is whenever the
  // variable that a name finds may change.
  uint64_t generation() const { return generation_; }
  // Elements the store may hold at once; beyond it a declaration or growth
  // is refused as out of memory.
  static uint64_t element_budget();
  // Lowers (or restores) the budget; the fuzzers keep their memory small.
  static void set_element_budget(uint64_t budget);

 private:
  void forget_node(const Node& node);
  void release_tree(Node& node);

  std::unordered_map<std::string, std::vector<std::unique_ptr<Variable>>,
                     NameHash, std::equal_to<>>
      by_name_;
  std::unordered_multimap<const Node*, Variable*> alias_holders_;
  uint64_t element_count_ = 0;
  uint64_t next_serial_ = 0;
  uint64_t generation_ = 1;
};

// What a plain variable name (digits only, no system variable) found in
// one area, for as long as the store's generation stays the same. Each
// operand of the line memo keeps one, so a repeated read or write of the
// same variable skips the name lookup; the value is still read and written
// in the variable itself every time.
struct PlainLookup {
  uint64_t generation = 0;  // 0: nothing remembered
  int area = 0;
  Variable* variable = nullptr;
};

// True when `reference` is a plain variable name that no hook can serve.
bool is_plain_name(std::string_view reference);
// get_variable and set_variable for a plain name (is_plain_name), with the
// lookup remembered in `lookup`; the outcome is the one of the general
// operations.
bool get_plain_variable(Runtime& rt, std::string_view name, PlainLookup& lookup,
                        std::string& out, int area);
bool set_plain_variable(Runtime& rt, std::string_view name, PlainLookup& lookup,
                        std::string value, int area);

// The store operations. `reference` is the text inside an operand's
// brackets; "-1" reads as an empty text and swallows writes.

// Reads the value (or, with an index 0 or below, a length) into `out`.
// Returns false when the variable or element does not exist.
bool get_variable(Runtime& rt, std::string_view reference, std::string& out,
                  int area);
// The existing value node that `reference` addresses for a write, when no
// hook can run for it (it is not an unindexed system variable name) and it
// needs no creation or growth; nullptr otherwise.
Node* find_plain_node(Runtime& rt, std::string_view reference, int area);
// Stores `value` (which a write hook may change), creating or growing the
// variable as needed.
bool set_variable(Runtime& rt, std::string_view reference, std::string value,
                  int area);
// Creates a new variable whose indices give the sizes of its array levels.
bool declare_variable(Runtime& rt, std::string_view reference, int area);
// Empties (remove false) or removes (remove true) the newest variable of
// the name. Returns true when it was found.
bool free_variable(Runtime& rt, std::string_view reference, bool remove);
// Makes parameter `parameter` of `area` an alias of what `caller_reference`
// names in area - 1.
bool bind_variable(Runtime& rt, std::string_view parameter,
                   std::string_view caller_reference, int area);

}  // namespace kestrel
