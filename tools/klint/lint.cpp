#include "lint.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "core/dispatch.h"
#include "core/loop.h"
#include "core/runtime.h"
#include "core/text.h"
#include "lint_host.h"
#include "varsys/eval.h"

namespace klint {

namespace {

using kestrel::Runtime;

bool is_line_end_byte(char c) { return c == '\x01' || c == '\n'; }

// A text for a message: printable characters as they are, others as \xNN.
std::string shown(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out.push_back(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
  return out;
}

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

struct Line {
  size_t start = 0;  // code position of the first byte
  size_t end = 0;    // code position of the line end (or the code length)
  size_t number = 0;
};

enum class Kind { block, loop, procedure };

struct Open {
  Kind kind;
  size_t line;             // listing line of the opening instruction
  bool has_else = false;   // block: an RXEL was met
  size_t procedure = 0;    // procedure: index in the definitions
};

struct Definition {
  std::string name;  // as registered: trimmed, upper case
  size_t line = 0;
  size_t parameters = 0;
  bool is_function = false;
};

struct Label {
  std::string name;
  std::optional<std::string> owner;
  size_t line = 0;
};

struct Jump {
  std::string target;
  std::optional<std::string> owner;
  size_t line = 0;
};

struct Call {
  std::string name;                   // exactly as written
  std::optional<size_t> caller;       // definition the call is in
  size_t line = 0;
  size_t after_name = 0;              // code position after the name operand
};

// A quoted literal at `pos` that forms the whole operand (no operator
// follows it): its text. Nothing for computed operands.
std::optional<std::string> literal_operand(const std::string& code, size_t pos) {
  while (pos < code.size() && kestrel::is_blank(code[pos])) ++pos;
  if (pos >= code.size() || code[pos] != '\'') return std::nullopt;
  size_t end = pos + 1;
  while (end < code.size() && code[end] != '\'' && !is_line_end_byte(code[end])) ++end;
  if (end >= code.size() || code[end] != '\'') return std::nullopt;
  size_t next = end + 1;
  while (next < code.size() && kestrel::is_blank(code[next])) ++next;
  if (next < code.size() && std::string_view("+-*/~#").find(code[next]) != std::string_view::npos)
    return std::nullopt;
  return code.substr(pos + 1, end - pos - 1);
}

class Linter {
 public:
  explicit Linter(const Source& source) : source_(source), rt_(host_) {
    rt_.code.assign(source.code);
    split_lines();
  }

  std::vector<Finding> run() {
    check_version();
    for (size_t i = 0; i < lines_.size(); ++i) check_line(i);
    close_all();
    resolve_jumps();
    resolve_calls();
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return std::move(findings_);
  }

 private:
  void split_lines() {
    const std::string& code = source_.code;
    size_t start = 0;
    for (size_t i = 0; i <= code.size(); ++i) {
      if (i == code.size() || is_line_end_byte(code[i])) {
        if (i == code.size() && start == i) break;
        const size_t index = lines_.size();
        const size_t number =
            index < source_.line_numbers.size() ? source_.line_numbers[index] : index + 1;
        lines_.push_back({start, i, number});
        start = i + 1;
      }
    }
  }

  std::string_view text_of(const Line& line) const {
    return std::string_view(source_.code).substr(line.start, line.end - line.start);
  }

  void report(size_t line, Severity severity, std::string message) {
    findings_.push_back({line, severity, std::move(message)});
  }
  void error(size_t line, std::string message) { report(line, Severity::error, std::move(message)); }
  void warning(size_t line, std::string message) {
    report(line, Severity::warning, std::move(message));
  }

  std::optional<std::string> owner() const {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
      if (it->kind == Kind::procedure) return definitions_[it->procedure].name;
    return std::nullopt;
  }
  std::optional<size_t> current_definition() const {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
      if (it->kind == Kind::procedure) return it->procedure;
    return std::nullopt;
  }

  static const char* opener_name(const Open& open, const std::vector<Definition>& defs) {
    switch (open.kind) {
      case Kind::block: return "RXIF";
      case Kind::loop: return "RRPT";
      case Kind::procedure: return defs[open.procedure].is_function ? "FUNC" : "PROC";
    }
    return "";
  }

  // The innermost open entry of `kind` inside the current definition, as an
  // index into open_, or nothing.
  std::optional<size_t> innermost(Kind kind) const {
    for (size_t i = open_.size(); i-- > 0;) {
      if (open_[i].kind == kind) return i;
      if (open_[i].kind == Kind::procedure) break;
    }
    return std::nullopt;
  }

  // Before a closing instruction: reports the entries it crosses.
  void note_crossing(size_t index, size_t line, const char* closer) {
    for (size_t i = index + 1; i < open_.size(); ++i)
      warning(line, std::string(closer) + " belongs to the " +
                        opener_name(open_[index], definitions_) + " of line " +
                        std::to_string(open_[index].line) + " while the " +
                        opener_name(open_[i], definitions_) + " of line " +
                        std::to_string(open_[i].line) + " is still open");
  }

  void check_version() {
    for (const Line& line : lines_) {
      if (line.start == line.end) continue;
      if (upper(text_of(line).substr(0, 4)) != "RRLR")
        warning(line.number, "the program does not start with RRLR'2.1' (language version)");
      return;
    }
  }

  void check_literals(const Line& line, size_t from) {
    const std::string_view text = text_of(line);
    std::vector<std::pair<char, size_t>> brackets;
    for (size_t i = from; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '\'') {
        const size_t close = text.find('\'', i + 1);
        if (close == std::string_view::npos) {
          error(line.number, "unterminated literal: the quote in column " + std::to_string(i + 1) +
                                 " has no closing quote on its line");
          return;
        }
        i = close;
      } else if (c == '[' || c == '(') {
        brackets.emplace_back(c, i);
      } else if (c == ']' || c == ')') {
        const char want = c == ']' ? '[' : '(';
        if (brackets.empty() || brackets.back().first != want) {
          error(line.number, std::string("unmatched '") + c + "' in column " + std::to_string(i + 1));
          return;
        }
        brackets.pop_back();
      }
    }
    if (!brackets.empty())
      error(line.number, std::string("'") + brackets.back().first + "' in column " +
                             std::to_string(brackets.back().second + 1) + " is never closed");
  }

  void check_line(size_t index) {
    const Line& line = lines_[index];
    const std::string_view text = text_of(line);
    if (text.empty()) return;
    if (text.find_first_not_of(" \t") == std::string_view::npos) {
      error(line.number, "a line of blanks: the opcode reader takes the blanks as the start of "
                         "the next opcode, which then is unknown");
      return;
    }
    if (text.size() < 4) {
      error(line.number, "short opcode '" + shown(text) +
                             "': the opcode reader continues on the next line");
      return;
    }
    check_reachable(line, text);
    instruction(line, line.start, false);
  }

  // Code after an unconditional halt or jump of the main program that no
  // label makes reachable.
  void check_reachable(const Line& line, std::string_view text) {
    const std::string opcode = upper(text.substr(0, 4));
    if (text.substr(0, 4) == "RLBL") {
      dead_after_ = 0;
      return;
    }
    if (dead_after_ != 0 && !dead_reported_) {
      warning(line.number, "this code never runs: nothing jumps here after line " +
                               std::to_string(dead_after_));
      dead_reported_ = true;
    }
    if (open_.empty() && (opcode == "RHLT" || opcode == "R003" || opcode == "R004")) {
      if (dead_after_ == 0) dead_reported_ = false;
      if (dead_after_ == 0) dead_after_ = line.number;
    }
  }

  // Checks the instruction whose opcode starts at code position `at`.
  void instruction(const Line& line, size_t at, bool embedded) {
    const std::string_view raw = std::string_view(source_.code).substr(at, std::min<size_t>(4, line.end - at));
    rt_.code.pos = at;
    char opcode_text[5];
    rt_.code.read_opcode(opcode_text);
    const size_t operands = rt_.code.pos;
    if (raw.size() < 4) {
      error(line.number, embedded ? "R0IF without a complete instruction after its condition"
                                  : "short opcode '" + shown(raw) + "'");
      return;
    }
    if (raw == "RLBL") {
      label(line, operands);
      return;
    }
    const std::string opcode = upper(raw);
    if (opcode == "RLBL") {
      error(line.number, "'" + std::string(raw) +
                             "' is no label: only RLBL in capitals is one, this line stops the program");
      return;
    }
    if (!kestrel::is_known_opcode(opcode.c_str())) {
      error(line.number, "unknown opcode '" + shown(raw) + "': the program stops here");
      return;
    }
    check_literals(line, operands - line.start);
    if (embedded && (opcode == "RXIF" || opcode == "RXIE" || opcode == "RXEL" || opcode == "RXEI" ||
                     opcode == "RRPT" || opcode == "RUNT" || opcode == "PROC" || opcode == "FUNC" ||
                     opcode == "ENDP" || opcode == "ENDF")) {
      warning(line.number, opcode + " after R0IF: a structure instruction that runs only on a "
                                    "true condition unbalances its block, loop or definition");
    }
    rt_.code.pos = operands;
    if (opcode == "RRLR") return version(line, operands);
    if (opcode == "R0IF") return one_line_condition(line, operands);
    if (opcode == "RXIF") {
      open_.push_back({Kind::block, line.number});
    } else if (opcode == "RXIE" || opcode == "RXEL") {
      branch(line, opcode);
    } else if (opcode == "RXEI") {
      close(line, Kind::block, "RXEI", "RXEI without RXIF: it does nothing");
    } else if (opcode == "RRPT") {
      open_.push_back({Kind::loop, line.number});
    } else if (opcode == "RUNT") {
      close(line, Kind::loop, "RUNT", "RUNT without RRPT: it does nothing");
    } else if (opcode == "RCNT" || opcode == "RBRK") {
      if (!innermost(Kind::loop))
        warning(line.number, opcode + " outside a loop" +
                                 (opcode == "RCNT" ? ": it does nothing"
                                                   : ": it passes over the code up to the next RUNT"));
    } else if (opcode == "R004" || opcode == "R005") {
      if (auto target = literal_operand(source_.code, operands))
        jumps_.push_back({std::string(kestrel::trim_blanks(*target)), owner(), line.number});
    } else if (opcode == "PROC" || opcode == "FUNC") {
      header(line, operands, opcode == "FUNC");
    } else if (opcode == "ENDP" || opcode == "ENDF") {
      end_of_definition(line, opcode == "ENDF");
    } else if (opcode == "CALL") {
      call(line, operands);
    }
  }

  void version(const Line& line, size_t operands) {
    auto literal = literal_operand(source_.code, operands);
    if (!literal) return;
    if (static_cast<float>(kestrel::text_to_double(*literal)) != 2.1f)
      error(line.number, "language version '" + shown(*literal) +
                             "' is not 2.1: the program shows the version conflict and stops");
  }

  void one_line_condition(const Line& line, size_t operands) {
    rt_.code.pos = operands;
    kestrel::eval_condition(rt_);
    const size_t at = rt_.code.pos;
    if (at >= line.end) {
      warning(line.number, "R0IF without an instruction: on a true condition the next line runs");
      return;
    }
    instruction(line, at, true);
  }

  void label(const Line& line, size_t operands) {
    const std::string name(kestrel::trim_blanks(
        std::string_view(source_.code).substr(operands, line.end - operands)));
    if (name.empty()) warning(line.number, "label without a name");
    const std::optional<std::string> own = owner();
    for (const Label& known : labels_) {
      if (known.name == name && known.owner == own) {
        warning(line.number, "label '" + shown(name) + "' is defined again (first at line " +
                                 std::to_string(known.line) + "): jumps go to the first");
        return;
      }
    }
    labels_.push_back({name, own, line.number});
  }

  void branch(const Line& line, const std::string& opcode) {
    const auto index = innermost(Kind::block);
    if (!index) {
      error(line.number, opcode + " outside a conditional block: it passes over the code up to "
                                  "an RXEI, or to the end of the program");
      return;
    }
    note_crossing(*index, line.number, opcode.c_str());
    Open& block = open_[*index];
    if (block.has_else)
      warning(line.number, opcode + " after the RXEL of the block of line " +
                               std::to_string(block.line) + " is never reached");
    if (opcode == "RXEL") block.has_else = true;
  }

  void close(const Line& line, Kind kind, const char* closer, const char* unopened) {
    const auto index = innermost(kind);
    if (!index) {
      warning(line.number, unopened);
      return;
    }
    note_crossing(*index, line.number, closer);
    open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(*index));
  }

  void header(const Line& line, size_t operands, bool is_function) {
    const char* opcode = is_function ? "FUNC" : "PROC";
    for (const Open& open : open_) {
      if (open.kind == Kind::loop) {
        error(line.number, std::string(opcode) + " inside the loop of line " +
                               std::to_string(open.line) +
                               ": a header does nothing while a loop runs, so the body runs as "
                               "ordinary code");
        break;
      }
      if (open.kind == Kind::procedure) {
        error(line.number, std::string(opcode) + " inside the definition of '" +
                               shown(definitions_[open.procedure].name) + "' (line " +
                               std::to_string(open.line) + ")");
        break;
      }
    }
    rt_.code.pos = operands;
    Definition definition;
    const auto literal = literal_operand(source_.code, operands);
    definition.name = kestrel::keyword(kestrel::eval_operand(rt_));
    definition.line = line.number;
    definition.is_function = is_function;
    // Parameters as the header reads them: the digit 0, or references.
    if (rt_.code.read_char() != '0') {
      rt_.code.unread();
      std::string reference;
      while (rt_.code.pos < line.end && !kestrel::at_line_end(rt_)) {
        const size_t before = rt_.code.pos;
        if (kestrel::next_reference(rt_, reference)) {
          ++definition.parameters;
        } else {
          error(line.number, "a parameter of " + std::string(opcode) + " is not a [reference]");
          break;
        }
        if (rt_.code.pos == before) break;
      }
    }
    if (!literal) {
      warning(line.number, std::string(opcode) + " with a computed name: calls of it are not checked");
    } else {
      for (const Definition& known : definitions_) {
        if (known.name == definition.name) {
          warning(line.number, "'" + shown(definition.name) + "' is defined again (first at line " +
                                   std::to_string(known.line) + "): the second one is not registered "
                                   "and execution continues inside its body");
          break;
        }
      }
    }
    open_.push_back({Kind::procedure, line.number, false, definitions_.size()});
    definitions_.push_back(std::move(definition));
  }

  void end_of_definition(const Line& line, bool is_function) {
    const char* closer = is_function ? "ENDF" : "ENDP";
    std::optional<size_t> index;
    for (size_t i = open_.size(); i-- > 0;)
      if (open_[i].kind == Kind::procedure) {
        index = i;
        break;
      }
    if (!index) {
      warning(line.number, std::string(closer) + " outside a definition: it does nothing");
      return;
    }
    const Definition& definition = definitions_[open_[*index].procedure];
    if (definition.is_function != is_function) {
      // The header's search passes over this line: the definition goes on.
      error(line.number, std::string(closer) + " cannot end " + (definition.is_function ? "FUNC" : "PROC") +
                             " '" + shown(definition.name) + "' (line " +
                             std::to_string(open_[*index].line) + "): its header looks for " +
                             (definition.is_function ? "ENDF" : "ENDP"));
      return;
    }
    for (size_t i = *index + 1; i < open_.size(); ++i)
      error(open_[i].line, std::string(opener_name(open_[i], definitions_)) +
                               " is not closed before the end of '" + shown(definition.name) +
                               "' (line " + std::to_string(line.number) + ")");
    open_.resize(*index);
  }

  void call(const Line& line, size_t operands) {
    const auto literal = literal_operand(source_.code, operands);
    rt_.code.pos = operands;
    kestrel::eval_operand(rt_);
    if (!literal) return;
    calls_.push_back({*literal, current_definition(), line.number, rt_.code.pos});
  }

  void close_all() {
    for (const Open& open : open_) {
      switch (open.kind) {
        case Kind::block:
          error(open.line, "RXIF without RXEI: when its condition is false the program passes "
                           "over the rest of the code and stops");
          break;
        case Kind::loop:
          error(open.line, "RRPT without RUNT");
          break;
        case Kind::procedure: {
          const Definition& definition = definitions_[open.procedure];
          error(open.line, std::string(definition.is_function ? "FUNC" : "PROC") + " '" +
                               shown(definition.name) + "' without " +
                               (definition.is_function ? "ENDF" : "ENDP") +
                               ": its header passes over the rest of the code and the program stops");
          break;
        }
      }
    }
    open_.clear();
  }

  void resolve_jumps() {
    for (const Jump& jump : jumps_) {
      bool visible = false;
      const Label* elsewhere = nullptr;
      for (const Label& label : labels_) {
        if (label.name != jump.target) continue;
        if (!label.owner || label.owner == jump.owner) {
          visible = true;
          break;
        }
        elsewhere = &label;
      }
      if (visible) continue;
      if (elsewhere) {
        error(jump.line, "label '" + shown(jump.target) + "' (line " + std::to_string(elsewhere->line) +
                             ") is only visible inside '" + shown(*elsewhere->owner) +
                             "': the jump passes over the rest of the code and the program stops");
      } else {
        error(jump.line, "jump to the missing label '" + shown(jump.target) +
                             "': the program passes over the rest of the code and stops");
      }
    }
  }

  const Definition* find_definition(const std::string& name) const {
    for (const Definition& definition : definitions_)
      if (definition.name == name) return &definition;
    return nullptr;
  }

  // The first line from which each definition can run: its first call from
  // the main program, or the first line of the definitions that call it.
  std::vector<size_t> first_reach() const {
    constexpr size_t kNever = static_cast<size_t>(-1);
    std::vector<size_t> reach(definitions_.size(), kNever);
    for (bool changed = true; changed;) {
      changed = false;
      for (const Call& call : calls_) {
        const Definition* callee = find_definition(call.name);
        if (!callee) continue;
        const size_t index = static_cast<size_t>(callee - definitions_.data());
        const size_t from = call.caller ? reach[*call.caller] : call.line;
        if (from < reach[index]) {
          reach[index] = from;
          changed = true;
        }
      }
    }
    return reach;
  }

  void resolve_calls() {
    const std::vector<size_t> reach = first_reach();
    for (const Call& call : calls_) {
      const Definition* callee = find_definition(call.name);
      if (!callee) {
        const Definition* similar = find_definition(kestrel::keyword(call.name));
        if (similar) {
          error(call.line, "CALL '" + shown(call.name) + "': the definition of line " +
                               std::to_string(similar->line) + " is registered as '" +
                               shown(similar->name) +
                               "' and calls compare names exactly; the program stops here");
        } else {
          error(call.line, "CALL of '" + shown(call.name) +
                               "', which no PROC or FUNC defines: the program stops here");
        }
        continue;
      }
      const size_t from = call.caller ? reach[*call.caller] : call.line;
      if (from != static_cast<size_t>(-1) && callee->line > from) {
        error(call.line, "'" + shown(call.name) + "' is defined only further down (line " +
                             std::to_string(callee->line) +
                             "): its header must run before the first call, or the program stops");
      }
      check_arguments(call, *callee);
    }
  }

  void check_arguments(const Call& call, const Definition& callee) {
    rt_.code.pos = call.after_name;
    if (callee.is_function) {
      std::string reference;
      if (kestrel::at_line_end(rt_) || rt_.code.peek_token_char() != '[') {
        error(call.line, "CALL of function '" + shown(callee.name) +
                             "' needs a [reference] for its result before the arguments");
        return;
      }
      kestrel::next_reference(rt_, reference);
    }
    size_t count = 0;
    while (!kestrel::at_line_end(rt_)) {
      const size_t before = rt_.code.pos;
      kestrel::eval_operand(rt_);
      if (rt_.code.pos == before) break;
      ++count;
    }
    if (count != callee.parameters) {
      error(call.line, "CALL of '" + shown(callee.name) + "' passes " + std::to_string(count) +
                           " argument" + (count == 1 ? "" : "s") + ", the definition of line " +
                           std::to_string(callee.line) + " takes " +
                           std::to_string(callee.parameters));
    }
  }

  const Source& source_;
  LintHost host_;
  Runtime rt_;
  std::vector<Line> lines_;
  std::vector<Finding> findings_;
  std::vector<Open> open_;
  std::vector<Definition> definitions_;
  std::vector<Label> labels_;
  std::vector<Jump> jumps_;
  std::vector<Call> calls_;
  size_t dead_after_ = 0;
  bool dead_reported_ = false;
};

}  // namespace

Source source_from_listing(std::string_view listing) {
  Source source;
  size_t pos = 0;
  size_t number = 0;
  while (pos < listing.size()) {
    size_t end = listing.find('\n', pos);
    if (end == std::string_view::npos) end = listing.size();
    std::string_view line = listing.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t first = line.find_first_not_of(" \t");
    if (first != std::string_view::npos && line[first] == ';') continue;
    source.code.append(line);
    source.code.push_back('\x01');
    source.line_numbers.push_back(number);
  }
  return source;
}

Source source_from_code(std::string_view code) {
  Source source;
  source.code.assign(code);
  size_t lines = 0;
  for (const char c : code)
    if (is_line_end_byte(c)) ++lines;
  if (!code.empty() && !is_line_end_byte(code.back())) ++lines;
  for (size_t i = 1; i <= lines; ++i) source.line_numbers.push_back(i);
  return source;
}

bool source_from_bytes(std::string_view bytes, Reading reading, Source& out, std::string& why) {
  const bool raw = reading == Reading::raw ||
                   (reading == Reading::automatic && bytes.find('\x01') != std::string_view::npos);
  if (raw) {
    out = source_from_code(bytes);
  } else {
    if (bytes.find('\0') != std::string_view::npos) {
      why = "a listing cannot hold a zero byte";
      return false;
    }
    out = source_from_listing(bytes);
  }
  return true;
}

bool load_source(const std::string& path, Reading reading, Source& out, std::string& why) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    why = "cannot read the file";
    return false;
  }
  std::ostringstream content;
  content << file.rdbuf();
  const std::string bytes = content.str();
  if (reading == Reading::automatic && bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z') {
    LintHost host;
    Runtime rt(host);
    switch (kestrel::load_image_file(rt, path)) {
      case kestrel::LoadStatus::no_code:
        why = "no code attached (the trailer is 0)";
        return false;
      case kestrel::LoadStatus::fatal:
        why = "the runtime cannot load the image: " + host.last_box;
        return false;
      case kestrel::LoadStatus::loaded:
        break;
    }
    std::string code = rt.code.bytes();
    // The loaded code ends with the four trailer bytes.
    code.resize(code.size() >= 4 ? code.size() - 4 : 0);
    out = source_from_code(code);
    return true;
  }
  return source_from_bytes(bytes, reading, out, why);
}

std::vector<Finding> lint(const Source& source) { return Linter(source).run(); }

bool has_error(const std::vector<Finding>& findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const Finding& f) { return f.severity == Severity::error; });
}

std::string format_finding(const std::string& file, const Finding& finding) {
  return file + ":" + std::to_string(finding.line) + ": " +
         (finding.severity == Severity::error ? "error" : "warning") + ": " + finding.message;
}

}  // namespace klint
