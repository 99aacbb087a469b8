// The uninstall command an installation recorded, taken apart: the program it starts and the
// arguments after it. The program is checked before it is started, and started by that path
// alone, so the command line cannot name another.
#pragma once

#include <string>

namespace prepare {

struct CommandParts {
  std::wstring program;
  // What follows the program, with its leading blank.
  std::wstring arguments;
};

// A quoted program runs to the closing quote; an unquoted one to the first blank. An empty
// program when the command is empty or its quote is never closed.
CommandParts SplitCommand(const std::wstring& command);

// The command line that asks the recorded uninstaller to remove its installation for the one
// being installed: its own arguments with "uninstall" made "uninstallanyway", and "/quiet" for a
// quiet run.
std::wstring ReplacementUninstallCommand(const CommandParts& recorded, bool quiet);

}  // namespace prepare
