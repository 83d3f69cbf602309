// The opcode group of the message boxes and standard dialogs.
#include "dialogs/dialog_commands.h"
#include "win32/platform_groups.h"

namespace kestrel {

namespace {

constexpr OpcodeEntry kEntries[] = {
    {"R027", win32::information_message},  {"R028", win32::yes_no_question},
    {"R007", win32::message_box_to_result}, {"R063", win32::message_box_to_target},
    {"R008", win32::input_box},            {"R041", win32::password_box},
    {"R032", win32::edit_box},             {"R031", win32::list_selection},
    {"R038", win32::info_window},
};

}  // namespace

const OpcodeGroup kStandardDialogOpcodes{kEntries};

}  // namespace kestrel
