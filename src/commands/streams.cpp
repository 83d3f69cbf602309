// Writing texts to the process's standard streams. The bytes go out
// unchanged and at once: no format string, no line break added.
#include "commands/streams.h"

#include "core/runtime.h"
#include "varsys/eval.h"

namespace kestrel {

namespace {

template <int Stream>
int write_text(Runtime& rt) {
  const std::string text = eval_operand(rt);
  rt.host.write_stream(Stream, text);
  return kStepNext;
}

// R062 hands its text to the standard input stream, which is open for
// reading only: the host's write is refused and nothing visible happens.
constexpr OpcodeEntry kEntries[] = {
    {"R060", write_text<1>},
    {"R061", write_text<2>},
    {"R062", write_text<0>},
};

}  // namespace

const OpcodeGroup kStreamOpcodes{kEntries};

}  // namespace kestrel
