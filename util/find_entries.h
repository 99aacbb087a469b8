// Lists the entries of one extension directly inside a folder.
#pragma once

#include <string>
#include <vector>

// Appends to `list` the bare names of the entries of `folder` whose extension (from the last "."
// on) equals `extension` without regard to letter case, folders included, in the order the file
// system lists them. `folder` may end with or without "\". Returns the number appended.
int FindEntries(const std::wstring& folder, const std::wstring& extension,
                std::vector<std::wstring>& list);
