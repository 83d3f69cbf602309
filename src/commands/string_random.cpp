#include "commands/string_random.h"

namespace kestrel {

uint64_t next_random(uint64_t& state) {
  state += 0x9E3779B97F4A7C15ULL;
  uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

uint32_t uniform_below(uint64_t& state, uint32_t bound) {
  // The high 32 bits of x * bound are uniform in [0, bound) once the
  // products whose low half falls below 2^32 mod bound are rejected.
  auto draw = [&] {
    return static_cast<uint64_t>(next_random(state) >> 32) * bound;
  };
  uint64_t product = draw();
  if (static_cast<uint32_t>(product) < bound) {
    const uint32_t threshold = (0U - bound) % bound;
    while (static_cast<uint32_t>(product) < threshold) product = draw();
  }
  return static_cast<uint32_t>(product >> 32);
}

}  // namespace kestrel
