// The data structure of the variable store: variables with their own value,
// element lists of any depth, and alias links for by-reference parameters.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kestrel {

struct ElementList;

// One value of the store: a variable's own value or an array element. A
// node has a value and, independently, an element list (none for a plain
// value). Elements live in a deque, so a node's address never changes while
// it exists: aliases and index lookups may hold it.
struct Node {
  std::string value;
  std::unique_ptr<ElementList> elements;
};

// The elements of one array level in creation order; script index 1 is the
// first. Indexing is constant time; appending keeps existing nodes in place.
struct ElementList {
  std::deque<Node> items;
};

// A variable of the top-level list.
struct Variable {
  std::string name;
  int area = 0;              // the area it was created in
  uint64_t serial = 0;       // creation order across the whole store
  Node node;                 // its own value and elements
  Node* alias = nullptr;     // by-reference parameter: the caller's node
};

}  // namespace kestrel
