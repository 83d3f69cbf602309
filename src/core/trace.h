// Tracing of the runtime's execution, compiled in only for the tracing
// build (KESTREL_TRACE): every instruction and every silent stop is
// reported, one line each, on standard error or appended to the file named
// by the environment variable KESTREL_TRACE_FILE:
//   trace: line L pos P: TEXT            before each instruction runs
//   trace: stop at line L pos P: REASON  when the program stops
// L is the line of the code (1-based), P the code position of the
// instruction, TEXT the rest of its line. The product build compiles these
// calls to nothing.
#pragma once

namespace kestrel {

struct Runtime;

#ifdef KESTREL_TRACE
// Reports the instruction that starts at the code position.
void trace_step(Runtime& rt);
// Reports why the program stops without a message.
void trace_stop(Runtime& rt, const char* reason);
#else
inline void trace_step(Runtime&) {}
inline void trace_stop(Runtime&, const char*) {}
#endif

}  // namespace kestrel
