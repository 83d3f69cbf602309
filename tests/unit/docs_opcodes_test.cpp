// The reference in docs/reference.md documents every opcode: the command
// rows of its "Commands" section name exactly the opcodes of the handler
// table and of the language's opcode list.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "core/dispatch.h"

namespace {

std::set<std::string> documented_opcodes(std::string& problem) {
  std::ifstream file(std::string(KESTREL_DOCS_DIR) + "/reference.md");
  std::set<std::string> opcodes;
  if (!file) {
    problem = "cannot read reference.md";
    return opcodes;
  }
  bool in_commands = false;
  for (std::string line; std::getline(file, line);) {
    if (line.rfind("## ", 0) == 0) in_commands = line == "## Commands";
    // A command row: "| `OPCD` | operands | what it does |".
    if (in_commands && line.size() > 9 && line.compare(0, 3, "| `") == 0 && line[7] == '`') {
      const std::string opcode = line.substr(3, 4);
      if (!opcodes.insert(opcode).second) problem += " " + opcode + " documented twice;";
    }
  }
  return opcodes;
}

std::string listed(const std::set<std::string>& set) {
  std::string out;
  for (const std::string& s : set) out += " " + s;
  return out.empty() ? " (none)" : out;
}

TEST(DocsOpcodes, ReferenceMatchesHandlerTable) {
  std::string problem;
  const std::set<std::string> docs = documented_opcodes(problem);
  EXPECT_TRUE(problem.empty()) << problem;

  std::set<std::string> table;
  for (const auto groups : {kestrel::core_opcode_groups(), kestrel::platform_opcode_groups()})
    for (const kestrel::OpcodeGroup& group : groups)
      for (const kestrel::OpcodeEntry& entry : group) table.insert(entry.opcode);
  std::set<std::string> language;
  for (const char* opcode : kestrel::all_opcodes()) language.insert(opcode);

  std::set<std::string> undocumented, unknown;
  for (const std::string& op : table)
    if (!docs.count(op)) undocumented.insert(op);
  for (const std::string& op : docs)
    if (!table.count(op) || !language.count(op) || !kestrel::find_handler(op.c_str()))
      unknown.insert(op);
  EXPECT_TRUE(undocumented.empty()) << "in the handler table, not in the reference:" << listed(undocumented);
  EXPECT_TRUE(unknown.empty()) << "in the reference, without a handler:" << listed(unknown);
  EXPECT_EQ(docs.size(), language.size()) << "documented:" << listed(docs);
}

}  // namespace
