#include "varsys/store.h"

#include <algorithm>
#include <cstdio>

#include "core/runtime.h"
#include "core/text.h"
#include "varsys/reference.h"

namespace kestrel {

// ---------------------------------------------------------------------------
// VariableStore: the structure.

VariableStore::VariableStore() = default;
VariableStore::~VariableStore() { clear(); }

namespace {
// An element costs about 32 bytes in the 32-bit build; keep the store
// well inside a 2 GiB address space there.
uint64_t g_element_budget = sizeof(void*) == 4 ? (uint64_t{1} << 25) : (uint64_t{1} << 28);
}  // namespace

uint64_t VariableStore::element_budget() { return g_element_budget; }

void VariableStore::set_element_budget(uint64_t budget) { g_element_budget = budget; }

Variable* VariableStore::find_visible(std::string_view name, int area) {
  auto it = by_name_.find(name);
  if (it == by_name_.end()) return nullptr;
  auto& list = it->second;
  for (auto v = list.rbegin(); v != list.rend(); ++v)
    if ((*v)->area == area || (*v)->area == 0) return v->get();
  return nullptr;
}

Variable* VariableStore::find_newest(std::string_view name) {
  auto it = by_name_.find(name);
  if (it == by_name_.end() || it->second.empty()) return nullptr;
  return it->second.back().get();
}

Variable* VariableStore::find_in_area(std::string_view name, int area) {
  auto it = by_name_.find(name);
  if (it == by_name_.end()) return nullptr;
  auto& list = it->second;
  for (auto v = list.rbegin(); v != list.rend(); ++v)
    if ((*v)->area == area) return v->get();
  return nullptr;
}

Variable* VariableStore::append(std::string_view name, int area) {
  auto it = by_name_.find(name);
  if (it == by_name_.end())
    it = by_name_.emplace(std::string(name), std::vector<std::unique_ptr<Variable>>{})
             .first;
  auto variable = std::make_unique<Variable>();
  variable->name = std::string(name);
  variable->area = area;
  variable->serial = next_serial_++;
  Variable* raw = variable.get();
  it->second.push_back(std::move(variable));
  ++generation_;
  return raw;
}

void VariableStore::remove(Variable* variable) {
  auto it = by_name_.find(variable->name);
  if (it == by_name_.end()) return;
  auto& list = it->second;
  for (size_t i = list.size(); i-- > 0;) {
    if (list[i].get() != variable) continue;
    if (variable->alias) {
      auto range = alias_holders_.equal_range(variable->alias);
      for (auto a = range.first; a != range.second; ++a)
        if (a->second == variable) {
          alias_holders_.erase(a);
          break;
        }
    }
    release_tree(variable->node);
    ++generation_;
    // The name's entry stays when its last variable goes: a procedure's
    // locals come and go with every call.
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    return;
  }
}

void VariableStore::clear() {
  alias_holders_.clear();
  for (auto& entry : by_name_)
    for (auto& variable : entry.second) release_tree(variable->node);
  by_name_.clear();
  element_count_ = 0;
  ++generation_;
}

bool VariableStore::add_elements(Node& node, uint64_t count) {
  if (count > element_budget() - std::min(element_budget(), element_count_))
    return false;
  if (!node.elements) node.elements = std::make_unique<ElementList>();
  for (uint64_t i = 0; i < count; ++i) node.elements->items.emplace_back();
  element_count_ += count;
  return true;
}

// Detaches every alias that points at `node`: the node is about to go, and
// a parameter bound to it becomes an ordinary local instead of a dangling
// link.
void VariableStore::forget_node(const Node& node) {
  auto range = alias_holders_.equal_range(&node);
  for (auto a = range.first; a != range.second; ++a) a->second->alias = nullptr;
  alias_holders_.erase(range.first, range.second);
}

void VariableStore::release_tree(Node& node) {
  if (!alias_holders_.empty()) forget_node(node);
  drop_elements(node);
}

void VariableStore::drop_elements(Node& node) {
  if (!node.elements) return;
  // Walk iteratively: arrays may be deep, and the stack must not be.
  std::vector<std::unique_ptr<ElementList>> pending;
  pending.push_back(std::move(node.elements));
  while (!pending.empty()) {
    std::unique_ptr<ElementList> list = std::move(pending.back());
    pending.pop_back();
    element_count_ -= list->items.size();
    for (Node& item : list->items) {
      if (!alias_holders_.empty()) forget_node(item);
      if (item.elements) pending.push_back(std::move(item.elements));
    }
  }
}

void VariableStore::set_alias(Variable& holder, Node* target) {
  if (holder.alias) {
    auto range = alias_holders_.equal_range(holder.alias);
    for (auto a = range.first; a != range.second; ++a)
      if (a->second == &holder) {
        alias_holders_.erase(a);
        break;
      }
  }
  holder.alias = target;
  if (target) alias_holders_.emplace(target, &holder);
}

// ---------------------------------------------------------------------------
// The store operations.

namespace {

bool is_discard(std::string_view reference) { return reference == "-1"; }

// System variables are "0" to "61", written without leading zeros; only
// such names can have a hook.
bool may_have_hook(const std::string& name) {
  if (name.size() == 1) return name[0] >= '0' && name[0] <= '9';
  if (name.size() != 2) return false;
  const char tens = name[0];
  const char ones = name[1];
  if (ones < '0' || ones > '9') return false;
  return (tens >= '1' && tens <= '5') || (tens == '6' && ones <= '1');
}

// The node a variable stands for: itself, or the end of its alias chain.
Node* resolve(Variable* variable) {
  Node* node = &variable->node;
  if (variable->alias) node = variable->alias;
  return node;
}

// Follows the indices of `ref` from `node`; nullptr where the path ends.
Node* follow_path(Node* node, const ParsedReference& ref) {
  for (int i = 0; i < ref.count && node; ++i) {
    const int32_t index = ref.index[i];
    if (index < 0 || !node->elements) return nullptr;
    auto& items = node->elements->items;
    if (static_cast<size_t>(index) >= items.size()) return nullptr;
    node = &items[static_cast<size_t>(index)];
  }
  return node;
}

// The length answered for a reference with an index of 0 or below.
int64_t length_request(Node* node, const ParsedReference& ref) {
  for (int i = 0; i + 1 < ref.count; ++i) {
    const size_t index = ref.index[i] < 0 ? 0 : static_cast<size_t>(ref.index[i]);
    if (!node->elements || index >= node->elements->items.size()) return 0;
    node = &node->elements->items[index];
  }
  if (!node->elements) return 0;
  const int32_t last = ref.index[ref.count - 1];
  const size_t size = node->elements->items.size();
  if (last >= 0 && static_cast<size_t>(last) >= size) return 0;
  return static_cast<int64_t>(size);
}

// Grows `node` so that the path of `ref` exists as far as its indices are
// positive. Returns the node at the end of the path, or nullptr when an
// index of 0 or below stops it (or memory runs out, which is flagged).
Node* grow_path(Runtime& rt, Node* node, const ParsedReference& ref) {
  for (int i = 0; i < ref.count; ++i) {
    const int32_t index = ref.index[i];
    if (index < 0) return nullptr;
    const size_t size = node->elements ? node->elements->items.size() : 0;
    const size_t wanted = static_cast<size_t>(index) + 1;
    if (wanted > size || !node->elements) {
      if (!rt.store.add_elements(*node, wanted > size ? wanted - size : 0)) {
        rt.out_of_memory = true;
        return nullptr;
      }
    }
    node = &node->elements->items[static_cast<size_t>(index)];
  }
  return node;
}

void show_reallocation_error(Runtime& rt, const ParsedReference& ref,
                             const std::string& value, int area) {
  // The message stays within about two kilobytes, whatever the texts hold.
  constexpr size_t kPart = 900;
  auto shorten = [](const std::string& text) {
    return text.size() <= kPart ? text : text.substr(0, kPart) + "...";
  };
  std::string text = "Array reallocation error\n\nvname: " + shorten(ref.name) +
                     " value: " + shorten(value) + " area: " + int_text(area) +
                     " dimension: " + int_text(ref.count);
  rt.host.message_box(text, "Kestrel Debug", box_style::icon_error);
}

// Element counts of a declaration, level by level, or false when the total
// exceeds the store's budget.
bool declaration_size_fits(const ParsedReference& ref) {
  const uint64_t budget = VariableStore::element_budget();
  uint64_t level = 1;
  uint64_t total = 0;
  for (int i = 0; i < ref.count; ++i) {
    const uint64_t size = static_cast<uint64_t>(ref.index[i] + 1);
    if (size == 0) break;
    if (level > budget / size) return false;
    level *= size;
    total += level;
    if (total > budget) return false;
  }
  return true;
}

bool fill_levels(VariableStore& store, Node& node, const ParsedReference& ref,
                 int depth) {
  if (depth >= ref.count) return true;
  const uint64_t size = static_cast<uint64_t>(ref.index[depth] + 1);
  if (!store.add_elements(node, size)) return false;
  if (size == 0) return true;
  for (Node& item : node.elements->items)
    if (!fill_levels(store, item, ref, depth + 1)) return false;
  return true;
}

}  // namespace

bool get_variable(Runtime& rt, std::string_view reference, std::string& out,
                  int area) {
  out.clear();
  if (is_discard(reference)) return true;
  ParsedReference ref;
  parse_reference(rt, reference, ref);
  if (ref.too_many) return false;
  if (ref.count == 0 && may_have_hook(ref.name)) {
    if (auto text = rt.host.read_system_variable(ref.name)) {
      out = std::move(*text);
      return true;
    }
  }
  Variable* variable = rt.store.find_visible(ref.name, area);
  for (int i = 0; i < ref.count; ++i) {
    if (ref.index[i] >= 0) continue;
    out = int_text(variable ? length_request(resolve(variable), ref) : 0);
    return true;
  }
  if (!variable) return false;
  Node* node = follow_path(resolve(variable), ref);
  if (!node) return false;
  out = node->value;
  return true;
}

Node* find_plain_node(Runtime& rt, std::string_view reference, int area) {
  if (is_discard(reference)) return nullptr;
  ParsedReference ref;
  parse_reference(rt, reference, ref);
  if (ref.too_many || (ref.count == 0 && may_have_hook(ref.name))) return nullptr;
  Variable* variable = rt.store.find_visible(ref.name, area);
  if (!variable) return nullptr;
  return follow_path(resolve(variable), ref);
}

bool set_variable(Runtime& rt, std::string_view reference, std::string value,
                  int area) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (is_discard(reference)) return true;
    ParsedReference ref;
    parse_reference(rt, reference, ref);
    if (ref.too_many) return true;
    if (ref.count == 0 && may_have_hook(ref.name))
      rt.host.write_system_variable(ref.name, value);
    Variable* variable = rt.store.find_visible(ref.name, area);
    if (!variable) {
      if (attempt == 0) {
        declare_variable(rt, reference, area);
        if (rt.out_of_memory) return true;
        continue;
      }
      return true;
    }
    Node* root = resolve(variable);
    Node* node = follow_path(root, ref);
    if (!node) node = grow_path(rt, root, ref);
    if (!node) {
      if (!rt.out_of_memory) show_reallocation_error(rt, ref, value, area);
      return true;
    }
    node->value = std::move(value);
    return true;
  }
  return true;
}

bool declare_variable(Runtime& rt, std::string_view reference, int area) {
  if (is_discard(reference)) return true;
  ParsedReference ref;
  parse_reference(rt, reference, ref);
  if (ref.too_many) return true;
  if (!declaration_size_fits(ref)) {
    rt.out_of_memory = true;
    return true;
  }
  if (area > 0 && static_cast<size_t>(area) <= rt.calls.size())
    rt.calls[static_cast<size_t>(area) - 1].locals.push_back(ref.name);
  Variable* variable = rt.store.append(ref.name, area);
  if (!fill_levels(rt.store, variable->node, ref, 0)) rt.out_of_memory = true;
  return true;
}

bool free_variable(Runtime& rt, std::string_view reference, bool remove) {
  if (is_discard(reference)) return false;
  ParsedReference ref;
  parse_reference(rt, reference, ref);
  Variable* variable = rt.store.find_newest(ref.name);
  if (!variable) return false;
  if (remove) {
    rt.store.remove(variable);
    return true;
  }
  if (ref.too_many) return true;
  Node* node = resolve(variable);
  Node* target = follow_path(node, ref);
  if (!target) return true;
  rt.store.drop_elements(*target);
  target->value.clear();
  return true;
}

bool bind_variable(Runtime& rt, std::string_view parameter,
                   std::string_view caller_reference, int area) {
  if (is_discard(caller_reference)) {
    declare_variable(rt, parameter, area);
    return true;
  }
  const int caller_area = area - 1;
  Node* target = nullptr;
  for (int attempt = 0; attempt < 2 && !target; ++attempt) {
    ParsedReference ref;
    parse_reference(rt, caller_reference, ref);
    if (ref.too_many) return false;
    Variable* caller = rt.store.find_visible(ref.name, caller_area);
    if (!caller) {
      if (attempt == 0) declare_variable(rt, caller_reference, caller_area);
      continue;
    }
    Node* root = resolve(caller);
    target = follow_path(root, ref);
    if (!target && attempt == 0) target = grow_path(rt, root, ref);
  }
  if (!target) return false;
  ParsedReference own;
  parse_reference(rt, parameter, own);
  if (Variable* holder = rt.store.find_in_area(own.name, area))
    rt.store.set_alias(*holder, target);
  return true;
}

bool is_plain_name(std::string_view reference) {
  if (reference.empty()) return false;
  for (char c : reference)
    if (c < '0' || c > '9') return false;
  // A digit name is a system variable (which may have a hook) exactly when
  // it is one of "0" to "61".
  return !may_have_hook(std::string(reference));
}

namespace {

Variable* plain_lookup(Runtime& rt, std::string_view name, PlainLookup& lookup,
                       int area) {
  const uint64_t generation = rt.store.generation();
  if (lookup.generation != generation || lookup.area != area) {
    lookup.variable = rt.store.find_visible(name, area);
    lookup.generation = generation;
    lookup.area = area;
  }
  return lookup.variable;
}

}  // namespace

bool get_plain_variable(Runtime& rt, std::string_view name, PlainLookup& lookup,
                        std::string& out, int area) {
  Variable* variable = plain_lookup(rt, name, lookup, area);
  if (!variable) {
    out.clear();
    return false;
  }
  out = resolve(variable)->value;
  return true;
}

bool set_plain_variable(Runtime& rt, std::string_view name, PlainLookup& lookup,
                        std::string value, int area) {
  Variable* variable = plain_lookup(rt, name, lookup, area);
  if (!variable) return set_variable(rt, name, std::move(value), area);
  resolve(variable)->value = std::move(value);
  return true;
}

}  // namespace kestrel
