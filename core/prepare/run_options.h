// The options that may follow the mode on the command line: "/quiet" and "/log=<path>", in any
// position and any letter case. Every other argument is left to the mode selection or ignored.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace prepare {

struct RunOptions {
  bool quiet = false;                   // no window, no message box; refusals become exit codes
  std::optional<std::wstring> logPath;  // "/log=" with a non-empty path
};

// `arguments` are the command-line arguments after the program's own name.
RunOptions ParseRunOptions(std::span<const std::wstring> arguments);

}  // namespace prepare
