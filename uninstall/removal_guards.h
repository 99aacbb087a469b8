// Which folders the uninstallation may walk or remove. The record it works from lies in the
// registry, where a value can be missing or altered, so a folder it names is checked before
// anything below it is deleted.
#pragma once

#include <string>

// The full, normalised form of `path` without a trailing "\"; "" when `path` is not a plain
// absolute path (relative, drive-relative as "C:x", a device path as "\\?\x", or one that holds
// "." or ".." steps or other parts that Windows would rewrite).
std::wstring NormalisedAbsolutePath(const std::wstring& path);

// Whether `folder` is a shell special folder, the Windows or a Program Files folder, or a folder
// that holds one of them. Letter case is ignored.
bool IsProtectedFolder(const std::wstring& folder);

// Whether a product folder may be emptied: a plain absolute path below a drive root or a share,
// and not a protected folder.
bool IsRemovableInstallDir(const std::wstring& installDir);
