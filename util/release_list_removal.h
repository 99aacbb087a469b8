// The uninstaller copy holds the package without its payload: the release's own lists of files
// (SHA256SUMS and its like, folders::IsReleaseFileList), copied with the package's root, are
// taken out of it again.
#pragma once

#include <string>

// Deletes the release file lists directly inside `copyFolder` (ending with "\"), logging each.
void RemoveReleaseFileLists(const std::wstring& copyFolder);
