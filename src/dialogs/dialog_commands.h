// The handlers of the message boxes and standard dialogs; the opcode group
// that lists them is in standard_dialogs.cpp.
#pragma once

namespace kestrel {
struct Runtime;
}

namespace kestrel::win32 {

int information_message(Runtime& rt);  // R027
int yes_no_question(Runtime& rt);      // R028
int message_box_to_result(Runtime& rt);  // R007
int message_box_to_target(Runtime& rt);  // R063
int input_box(Runtime& rt);            // R008
int password_box(Runtime& rt);         // R041
int edit_box(Runtime& rt);             // R032
int list_selection(Runtime& rt);       // R031
int info_window(Runtime& rt);          // R038

}  // namespace kestrel::win32
