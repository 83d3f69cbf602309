// The opcode groups of the Win32 command units.
#pragma once

#include "core/dispatch.h"

namespace kestrel {

extern const OpcodeGroup kProgramOpcodes;        // commands/programs_win32.cpp
extern const OpcodeGroup kSystemOpcodes;         // commands/system_win32.cpp
extern const OpcodeGroup kFileOpcodes;           // commands/files_win32.cpp
extern const OpcodeGroup kFileContentOpcodes;    // commands/file_contents_win32.cpp
extern const OpcodeGroup kAttributeOpcodes;      // commands/attributes_win32.cpp
extern const OpcodeGroup kRegistryOpcodes;       // commands/registry_win32.cpp
extern const OpcodeGroup kKeyOpcodes;            // commands/keys_win32.cpp
extern const OpcodeGroup kMouseOpcodes;          // commands/mouse_win32.cpp
extern const OpcodeGroup kStandardDialogOpcodes; // dialogs/standard_dialogs.cpp
extern const OpcodeGroup kTrayOpcodes;           // dialogs/tray.cpp
extern const OpcodeGroup kHotkeyOpcodes;         // dialogs/hotkeys.cpp
extern const OpcodeGroup kFileDialogOpcodes;     // dialogs/file_dialogs.cpp
extern const OpcodeGroup kDesignerOpcodes;       // designer/designer_commands.cpp

}  // namespace kestrel
