// The text commands RF02 to RF14. Each reads its target reference and then
// its value operands, left to right, computes one text and stores it in the
// target; only RF09 and RF13 also write the result code. The text algorithms
// themselves live in string_search, string_basics and string_random.
#include "commands/strings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "commands/string_basics.h"
#include "commands/string_random.h"
#include "commands/string_search.h"
#include "core/runtime.h"
#include "core/text.h"
#include "varsys/eval.h"
#include "varsys/store.h"

namespace kestrel {

namespace {

std::string read_target(Runtime& rt) {
  std::string reference;
  next_reference(rt, reference);
  return reference;
}

// A number operand: trimmed, then read with the text-to-integer rule.
int64_t read_number(Runtime& rt) {
  return text_to_int(trim_blanks(eval_operand(rt)));
}

void store(Runtime& rt, const std::string& target, std::string value) {
  set_variable(rt, target, std::move(value), rt.area);
}

void store_number(Runtime& rt, const std::string& target, int64_t value) {
  store(rt, target, int_text(value));
}

void set_result_code(Runtime& rt, bool success) {
  set_variable(rt, "0", success ? "0" : "-1", rt.area);
}

// True when system variable 45 holds exactly "0": the searching commands
// then compare without regard to letter case.
bool case_ignored(Runtime& rt) {
  std::string setting;
  return get_variable(rt, "45", setting, rt.area) && setting == "0";
}

// RF03, RF04, RF05, RF06, RF07, RF12: a target and one text; the result is
// a function of that text alone.
template <std::string (*Transform)(std::string_view)>
int transform_text(Runtime& rt) {
  const std::string target = read_target(rt);
  const std::string text = eval_operand(rt);
  store(rt, target, Transform(text));
  return kStepNext;
}

std::string upper_text(std::string_view text) { return upper_ascii(text); }
std::string trimmed_text(std::string_view text) { return std::string(trim_blanks(text)); }
std::string length_text(std::string_view text) { return int_text(static_cast<int64_t>(text.size())); }
std::string code_text(std::string_view text) { return int_text(code_of_first(text)); }
std::string char_text(std::string_view code) { return text_of_code(text_to_int(code)); }

// RF02 [target] text, search text, occurrence number.
int find_position(Runtime& rt) {
  const std::string target = read_target(rt);
  const std::string text = eval_operand(rt);
  const std::string search = eval_operand(rt);
  const int64_t occurrence = read_number(rt);
  store_number(rt, target, find_occurrence(text, search, occurrence, case_ignored(rt)));
  return kStepNext;
}

// RF08 [target] text, start position, count.
int part(Runtime& rt) {
  const std::string target = read_target(rt);
  const std::string text = eval_operand(rt);
  const int64_t start = read_number(rt);
  const int64_t count = read_number(rt);
  store(rt, target, std::string(part_of(text, start, count)));
  return kStepNext;
}

// RF09 [target] limit. A uniform number from 0 to limit - 1 and result code
// "0"; a limit below 1 gives "0" and result code "-1". The generator is
// seeded once per run, at its first use.
int random_number(Runtime& rt) {
  const std::string target = read_target(rt);
  const int64_t limit = read_number(rt);
  if (limit < 1) {
    set_result_code(rt, false);
    store(rt, target, "0");
    return kStepNext;
  }
  if (!rt.random_seeded) {
    rt.random_state = rt.host.random_seed();
    rt.random_seeded = true;
  }
  const uint32_t value = uniform_below(rt.random_state, static_cast<uint32_t>(limit));
  set_result_code(rt, true);
  store_number(rt, target, value);
  return kStepNext;
}

// RF10 [target] text, separator, field number. With case ignored the
// separator is matched without regard to case; the field keeps its own.
int field(Runtime& rt) {
  const std::string target = read_target(rt);
  const std::string text = eval_operand(rt);
  const std::string separator = eval_operand(rt);
  const int64_t number = read_number(rt);
  store(rt, target, std::string(field_of(text, separator, number, case_ignored(rt))));
  return kStepNext;
}

// RF11 [target] text, search text, replacement. A script can ask for far
// more than memory holds (every byte of a long text replaced by a long
// text); a result beyond the text limit stops the run with the
// out-of-memory message before it is built.
int replace(Runtime& rt) {
  const std::string target = read_target(rt);
  const std::string text = eval_operand(rt);
  const std::string search = eval_operand(rt);
  const std::string replacement = eval_operand(rt);
  ReplaceResult result =
      replace_all(text, search, replacement, case_ignored(rt), rt.text_limit);
  if (result.too_large) {
    rt.out_of_memory = true;
    return kStepNext;
  }
  store(rt, target, std::move(result.text));
  return kStepNext;
}

// RF13 [target] text, position: the byte there and result code "0", or an
// empty text and "-1" for a position outside the text.
int byte_at_position(Runtime& rt) {
  const std::string target = read_target(rt);
  const std::string text = eval_operand(rt);
  const int64_t position = read_number(rt);
  const std::optional<char> byte = byte_at(text, position);
  store(rt, target, byte ? std::string(1, *byte) : std::string());
  set_result_code(rt, byte.has_value());
  return kStepNext;
}

// RF14 [target] text, search text: occurrences counted with overlap.
int count(Runtime& rt) {
  const std::string target = read_target(rt);
  const std::string text = eval_operand(rt);
  const std::string search = eval_operand(rt);
  const uint64_t found = count_occurrences(text, search, case_ignored(rt));
  store_number(rt, target, static_cast<int64_t>(found));
  return kStepNext;
}

constexpr OpcodeEntry kEntries[] = {
    {"RF02", find_position},
    {"RF03", transform_text<upper_text>},
    {"RF04", transform_text<lower_with_umlauts>},
    {"RF05", transform_text<trimmed_text>},
    {"RF06", transform_text<char_text>},
    {"RF07", transform_text<length_text>},
    {"RF08", part},
    {"RF09", random_number},
    {"RF10", field},
    {"RF11", replace},
    {"RF12", transform_text<code_text>},
    {"RF13", byte_at_position},
    {"RF14", count},
};

}  // namespace

const OpcodeGroup kStringOpcodes{kEntries};

}  // namespace kestrel
