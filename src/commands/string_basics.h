// The text commands that need no search: letter case, parts of a text and
// byte codes. Pure functions on texts, so that they are tested directly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// Letters A to Z become a to z, and the three German capital umlauts of the
// ANSI code page become small ones (0xC4, 0xD6, 0xDC to 0xE4, 0xF6, 0xFC);
// every other byte stays. Not the inverse of the upper-casing, which leaves
// the umlauts alone.
std::string lower_with_umlauts(std::string_view text);

// The part of `text` from 1-based position `start` on, cut to at most
// `count` bytes. A negative count counts as 1. A start of 0 or below takes
// the part from the right: the last `count` bytes (the whole text when it is
// shorter). A start past the end gives an empty text.
std::string_view part_of(std::string_view text, int64_t start, int64_t count);

// The byte at 1-based `position`, or nothing when the position is below 1
// or past the last byte.
std::optional<char> byte_at(std::string_view text, int64_t position);

// A text of the one byte given by the low 8 bits of `code`; empty when that
// byte is 0 (a zero byte ends a text).
std::string text_of_code(int64_t code);

// The first byte of `text` as a number from 0 to 255; 0 for an empty text.
int code_of_first(std::string_view text);

}  // namespace kestrel
