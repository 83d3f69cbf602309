// Key texts of the key-sending command: parsing never runs past the text,
// and the events that type it leave no key down (every key and modifier
// pressed is released again).
#include <map>

#include "commands/key_text.h"
#include "fuzz_support.h"

namespace {

// A layout like a US keyboard: letters and digits on their keys, capitals
// with Shift, a few characters with Ctrl+Alt, bytes above 0x7E on no key.
int16_t layout(char character) {
  const auto c = static_cast<unsigned char>(character);
  if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
  if (c >= '0' && c <= '9') return static_cast<int16_t>(c);
  if (c == '@' || c == '{' || c == '}') return static_cast<int16_t>(0x600 | (c & 0x3F));
  if (c == '\t' || c == '\r') return static_cast<int16_t>(c == '\t' ? 9 : 13);
  if (c > 0x7E || c < 0x20) return -1;
  return static_cast<int16_t>(0x100 | (c & 0x7F));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = kestrel::fuzz::as_text(data, size);
  const std::vector<kestrel::KeyRecord> records = kestrel::parse_key_text(text, layout);
  KESTREL_FUZZ_CHECK(records.size() <= text.size());

  std::map<int, int> down;  // key code (or 256 + character) -> times down
  for (const kestrel::KeyEvent& event : kestrel::key_events(text, layout)) {
    const int key = event.unicode ? 256 + static_cast<unsigned char>(event.character) : event.code;
    KESTREL_FUZZ_CHECK(event.unicode || event.code != 0);
    down[key] += event.down ? 1 : -1;
    KESTREL_FUZZ_CHECK(down[key] >= 0);
  }
  for (const auto& [key, count] : down) KESTREL_FUZZ_CHECK(count == 0);
  return 0;
}
