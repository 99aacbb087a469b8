// The deletions Windows carries out at the next restart: the value PendingFileRenameOperations,
// a list of pairs of NT paths ("\??\C:\Folder\file"), the second empty for a deletion. An
// uninstaller copy that could not delete itself leaves its Setup.exe and folder there; an
// installation that fills the same folder again before the restart takes them out, or the
// restart would delete its new uninstaller.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folders {

// The strings of the value's data: every NUL-ended string, empty ones included, up to the data's
// end (a final empty string ends the list).
std::vector<std::wstring> SplitMultiString(std::wstring_view data);
// The data for the strings again: each ended by a NUL, the whole by one more.
std::wstring JoinMultiString(const std::vector<std::wstring>& strings);

// `operations` without the deletions of `folder` (a full path without trailing "\") and of
// anything inside it; letter case is ignored. Renames stay, and so do incomplete pairs at the end.
std::vector<std::wstring> WithoutDeletionsInside(const std::vector<std::wstring>& operations,
                                                 std::wstring_view folder);

}  // namespace folders
