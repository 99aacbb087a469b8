// The folder of the running program.
#pragma once

#include <string>

// With a trailing "\".
[[nodiscard]] std::wstring ExecutableFolder();
