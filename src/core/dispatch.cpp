#include "core/dispatch.h"

#include <array>
#include <cstring>

#include "core/runtime.h"
#include "varsys/store.h"

namespace kestrel {

namespace {

// The 101 instructions of the language and the three hot-key instructions.
constexpr const char* kAllOpcodes[] = {
    "RRLR", "RLBL", "RXIF", "R0IF", "RXIE", "RXEL", "RXEI", "RRPT", "RUNT",
    "RCNT", "RBRK", "R004", "R005", "R006", "RHLT", "R003", "PROC", "FUNC",
    "ENDP", "ENDF", "RRET", "CALL", "REXT", "R000", "R001", "R052", "RF02",
    "RF03", "RF04", "RF05", "RF06", "RF07", "RF08", "RF09", "RF10", "RF11",
    "RF12", "RF13", "RF14", "R010", "R014", "R015", "R016", "R020", "R030",
    "R065", "R011", "R012", "R013", "R017", "R018", "R026", "R021", "R019",
    "R035", "R034", "R024", "R025", "R050", "R051", "R046", "R047", "R048",
    "R049", "R039", "R040", "R042", "R057", "R043", "R044", "R045", "R029",
    "R036", "R060", "R061", "R062", "R053", "R064", "R054", "R055", "R056",
    "R033", "R059", "R027", "R028", "R007", "R063", "R008", "R041", "R032",
    "R031", "R022", "R023", "R037", "R058", "R038", "RD00", "RD01", "RD02",
    "RD03", "RD04", "RHKN", "RHKD", "RHKW",
};

uint32_t key_of(const char* opcode) {
  uint32_t key = 0;
  std::memcpy(&key, opcode, 4);
  return key;
}

// Open-addressing table from the opcode's four bytes to its handler.
class HandlerTable {
 public:
  HandlerTable() {
    for (const OpcodeGroup& group : core_opcode_groups())
      for (const OpcodeEntry& entry : group) insert(entry.opcode, entry.handler);
    for (const OpcodeGroup& group : platform_opcode_groups())
      for (const OpcodeEntry& entry : group) insert(entry.opcode, entry.handler);
  }

  Handler find(uint32_t key) const {
    for (uint32_t slot = hash(key);; slot = (slot + 1) & kMask) {
      if (slots_[slot].key == key) return slots_[slot].handler;
      if (slots_[slot].key == 0) return nullptr;
    }
  }

 private:
  static constexpr uint32_t kSize = 512;
  static constexpr uint32_t kMask = kSize - 1;
  struct Slot {
    uint32_t key = 0;
    Handler handler = nullptr;
  };

  static uint32_t hash(uint32_t key) { return (key * 2654435761u) >> 23; }

  void insert(const char* opcode, Handler handler) {
    const uint32_t key = key_of(opcode);
    for (uint32_t slot = hash(key);; slot = (slot + 1) & kMask) {
      if (slots_[slot].key == key) return;  // the first group's entry wins
      if (slots_[slot].key == 0) {
        slots_[slot] = {key, handler};
        return;
      }
    }
  }

  std::array<Slot, kSize> slots_{};
};

const HandlerTable& handler_table() {
  static const HandlerTable table;
  return table;
}

}  // namespace

int unsupported_command(Runtime& rt) {
  set_variable(rt, "0", "-1", rt.area);
  return kStepNext;
}

Handler find_handler(const char opcode[5]) {
  if (std::strlen(opcode) != 4) return nullptr;
  return handler_table().find(key_of(opcode));
}

bool is_known_opcode(const char* opcode) {
  for (const char* known : kAllOpcodes)
    if (std::strcmp(known, opcode) == 0) return true;
  return false;
}

std::span<const char* const> all_opcodes() { return kAllOpcodes; }

}  // namespace kestrel
