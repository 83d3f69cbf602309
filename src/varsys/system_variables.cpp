#include "varsys/system_variables.h"

#include <string>

#include "core/runtime.h"
#include "core/text.h"
#include "varsys/store.h"

namespace kestrel {

namespace {

enum class Start { declared, not_created, stored, machine };

struct StartValue {
  int number;
  Start kind;
  const char* text;  // for stored values
};

// Start values; "machine" values come from the host.
constexpr StartValue kStartValues[] = {
    {0, Start::declared, nullptr},
    {1, Start::machine, nullptr},  // command line
    {2, Start::machine, nullptr},  // current directory
    {3, Start::not_created, nullptr},  // stored by the loader
    {4, Start::stored, "Kestrel Echo"},
    {5, Start::stored, "Kestrel Confirmation"},
    {6, Start::machine, nullptr},  // windir
    {7, Start::declared, nullptr},
    {8, Start::machine, nullptr},  // operating-system version name
    {9, Start::machine, nullptr},  // user name
    {10, Start::declared, nullptr},
    {11, Start::declared, nullptr},
    {12, Start::declared, nullptr},
    {13, Start::stored, "&OK"},
    {14, Start::stored, "&Cancel"},
    {15, Start::stored, "-1"},
    {16, Start::stored, "-1"},
    {17, Start::stored, "&Ok"},
    {18, Start::stored, "&Cancel"},
    {19, Start::stored, "450"},
    {20, Start::stored, "300"},
    {21, Start::stored, "150"},
    {22, Start::stored, "200"},
    {23, Start::stored, "&Ok"},
    {24, Start::stored, "\n"},
    {25, Start::not_created, nullptr},
    {26, Start::stored, "300"},
    {27, Start::stored, "24"},
    {28, Start::stored, "-1"},
    {29, Start::stored, "5.1"},
    {30, Start::stored, "-1"},
    {31, Start::stored, "-1"},
    {32, Start::declared, nullptr},
    {33, Start::declared, nullptr},
    {34, Start::not_created, nullptr},
    {35, Start::stored, "\r\n"},
    {36, Start::stored, "\t"},
    {37, Start::stored, "|"},
    {38, Start::stored, "'"},
    {39, Start::declared, nullptr},
    {40, Start::declared, nullptr},
    {41, Start::declared, nullptr},
    {42, Start::stored, "0"},
    {43, Start::stored, "-1"},
    {44, Start::stored, "|"},
    {45, Start::stored, "-1"},
    {46, Start::stored, "0"},
    {47, Start::stored, "0"},
    {48, Start::stored, "0"},
    {49, Start::stored, "0"},
    {50, Start::stored, "0"},
    {51, Start::stored, "0"},
    {52, Start::stored, "0"},
    {53, Start::stored, "0"},
    {54, Start::not_created, nullptr},
    {55, Start::not_created, nullptr},
    {56, Start::declared, nullptr},
    {57, Start::declared, nullptr},
    {58, Start::declared, nullptr},
    {59, Start::declared, nullptr},
    {60, Start::declared, nullptr},
    {61, Start::stored, "\r\n"},
};

void store_machine_value(Runtime& rt, int number, const std::string& name) {
  Host& host = rt.host;
  switch (number) {
    case 1:
      if (auto line = host.command_line())
        set_variable(rt, name, std::string(trim_blanks(*line)), 0);
      else
        declare_variable(rt, name, 0);
      return;
    case 2: set_variable(rt, name, host.current_directory(), 0); return;
    case 6: set_variable(rt, name, host.environment_value("windir"), 0); return;
    case 8: set_variable(rt, name, host.os_version_name(), 0); return;
    case 9: set_variable(rt, name, host.user_name(), 0); return;
    default: return;
  }
}

}  // namespace

void init_system_variables(Runtime& rt) {
  for (const StartValue& start : kStartValues) {
    const std::string name = int_text(start.number);
    switch (start.kind) {
      case Start::declared: declare_variable(rt, name, 0); break;
      case Start::not_created: break;
      case Start::stored: set_variable(rt, name, start.text, 0); break;
      case Start::machine: store_machine_value(rt, start.number, name); break;
    }
  }
}

}  // namespace kestrel
