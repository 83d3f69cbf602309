// klint: static checks of a Kestrel program. The program runs without any
// diagnostics: an unknown opcode, a jump to a missing label or a call of an
// undefined procedure just stops it. These checks find such faults in the
// text of a listing, raw code or a linked image before it runs.
//
// The checks read the code with the runtime's own readers (the opcode and
// operand readers, the opcode list of the dispatch table, the image
// loader), so what klint sees is what the runtime sees.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace klint {

enum class Severity { warning, error };

struct Finding {
  size_t line = 0;  // line of the listing (or of the code, for raw code and images)
  Severity severity = Severity::error;
  std::string message;
};

// The code of a program and, for each code line, the line it came from.
struct Source {
  std::string code;                 // lines separated by 0x01
  std::vector<size_t> line_numbers;  // one per code line, 1-based
};

enum class Reading { automatic, raw, listing };

// The code of a text listing: comment lines (first non-blank ';') are
// dropped, every other line becomes a code line numbered by its listing line.
Source source_from_listing(std::string_view listing);
// Raw intermediate code: code line N is line N.
Source source_from_code(std::string_view code);

// Reads a file as a linked image (it starts with "MZ"; its attached code is
// loaded with the runtime's image loader and the trailer is dropped), raw
// code (it contains a 0x01 byte) or a listing. False with the reason in `why`.
bool load_source(const std::string& path, Reading reading, Source& out, std::string& why);
// The same for bytes already in memory.
bool source_from_bytes(std::string_view bytes, Reading reading, Source& out, std::string& why);

// Every finding in the code, ordered by line.
std::vector<Finding> lint(const Source& source);

bool has_error(const std::vector<Finding>& findings);

// "FILE:LINE: kind: message".
std::string format_finding(const std::string& file, const Finding& finding);

}  // namespace klint
