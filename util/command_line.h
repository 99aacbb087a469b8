// The command line of the running program.
#pragma once

#include <string>
#include <vector>

// The command-line arguments after the program's own name, as the runtime parses them.
std::vector<std::wstring> CommandLineArguments();
