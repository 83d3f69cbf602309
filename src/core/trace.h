// Tracing of the runtime's execution, compiled in only for the tracing
// build (KESTREL_TRACE): every instruction and every silent stop is
// reported. The product build compiles these calls to nothing.
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
