// Whether two folder paths name the same folder, or one lies inside the other. Paths are compared
// in their full form, without letter case and trailing separators; two different texts that
// open to the same folder on disk (a link, a short name) name the same folder too.
#pragma once

#include <string>

// The full path of `path`, without trailing separators except a drive root's; "" for "".
std::wstring FullFolderPath(const std::wstring& path);

// False when either path is empty.
bool SameFolder(const std::wstring& a, const std::wstring& b);

// Whether `inner` lies below `outer` (not the same folder). False when either path is empty.
bool FolderContains(const std::wstring& outer, const std::wstring& inner);

// A drive or share root ("C:\", "\\server\share"), or a path too short to name a folder below one.
bool IsRootFolder(const std::wstring& path);
