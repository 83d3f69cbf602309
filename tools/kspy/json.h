// One JSON object per output line, built field by field.
#pragma once

#include <string>
#include <string_view>

namespace kspy {

// Escapes UTF-8 text for a JSON string (quotes, backslash, control bytes).
std::string json_escape(std::string_view utf8);

class JsonLine {
 public:
  JsonLine& text(std::string_view key, std::string_view utf8);
  JsonLine& number(std::string_view key, long long value);
  JsonLine& boolean(std::string_view key, bool value);
  JsonLine& raw(std::string_view key, std::string_view json);  // value already JSON
  std::string str() const { return "{" + body_ + "}"; }
  // Writes the object and a line end to stdout and flushes.
  void print() const;

 private:
  void key(std::string_view name);
  std::string body_;
};

}  // namespace kspy
