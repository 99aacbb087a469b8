// Which programs hold a file open, as Windows' Restart Manager tells it.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The names of the programs that hold `path` open; nothing when Windows cannot tell (no Restart
// Manager, or one that answers nothing, as Wine's).
std::optional<std::vector<std::wstring>> ProgramsHoldingFile(const std::wstring& path);
