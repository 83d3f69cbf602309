// The opcode group of the dialog designer.
#include "designer/designer_handlers.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

constexpr OpcodeEntry kEntries[] = {
    {"RD00", win32::designer::create_element},   {"RD01", win32::designer::set_property},
    {"RD02", win32::designer::read_property},    {"RD03", win32::designer::wait_for_event},
    {"RD04", win32::designer::release_elements},
};

}  // namespace

const OpcodeGroup kDesignerOpcodes{kEntries};

}  // namespace kestrel
