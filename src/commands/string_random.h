// The pseudo-random numbers of the random-number command: a SplitMix64
// generator (one 64-bit word of state, full period of 2^64, good statistical
// quality) and an unbiased draw below a bound.
#pragma once

#include <cstdint>

namespace kestrel {

// Advances `state` and returns the next 64-bit pseudo-random value.
uint64_t next_random(uint64_t& state);

// A number from 0 to bound - 1, every value equally likely (multiply-shift
// with rejection of the few values that would bias the result). `bound`
// must be at least 1.
uint32_t uniform_below(uint64_t& state, uint32_t bound);

}  // namespace kestrel
