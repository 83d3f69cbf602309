// Shell links (shortcut files) through the system's shell-link object.
#pragma once

#include <string>

namespace kestrel::win32 {

struct LinkRequest {
  std::string file;  // the link file's name, ".lnk" already appended
  std::string target;
  std::string arguments;
  std::string working_directory;
  std::string icon_file;
  int show_command = 5;
};

// Creates the shell link `request.file` with COM's shell-link object:
// SetPath, SetArguments, SetWorkingDirectory, SetIconLocation (index 0),
// SetShowCmd, in this order, then IPersistFile::Save and SaveCompleted.
// Returns false as soon as a step fails, also when the name does not fit
// in a path of 260 wide characters.
bool create_shell_link(const LinkRequest& request);

}  // namespace kestrel::win32
