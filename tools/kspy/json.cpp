#include "json.h"

#include <cstdio>

namespace kspy {

std::string json_escape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  for (unsigned char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  return out;
}

void JsonLine::key(std::string_view name) {
  if (!body_.empty()) body_ += ',';
  body_ += '"';
  body_ += json_escape(name);
  body_ += "\":";
}

JsonLine& JsonLine::text(std::string_view name, std::string_view utf8) {
  key(name);
  body_ += '"';
  body_ += json_escape(utf8);
  body_ += '"';
  return *this;
}

JsonLine& JsonLine::number(std::string_view name, long long value) {
  key(name);
  body_ += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::boolean(std::string_view name, bool value) {
  key(name);
  body_ += value ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::raw(std::string_view name, std::string_view json) {
  key(name);
  body_ += json;
  return *this;
}

void JsonLine::print() const {
  const std::string line = str() + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

}  // namespace kspy
