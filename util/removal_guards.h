// Which folders a run may empty or remove. The record lies in the registry and the names come
// from a package, where a value can be missing or altered, so a folder is checked before anything
// below it is deleted.
#pragma once

#include <string>

// The folder of the user's scripts and macros, which no removal takes.
inline constexpr wchar_t kScriptsMacrosFolder[] = L"ScriptsMacros";

// The full, normalised form of `path` without a trailing "\"; "" when `path` is not a plain
// absolute path (relative, drive-relative as "C:x", a device path as "\\?\x", or one that holds
// "." or ".." steps or other parts that Windows would rewrite).
std::wstring NormalisedAbsolutePath(const std::wstring& path);

// Whether `path` is `folder` or lies below it, both plain absolute paths. Letter case is ignored.
bool IsAtOrBelow(const std::wstring& path, const std::wstring& folder);

// Whether `folder` is a shell special folder, the Windows or a Program Files folder, or a folder
// that holds one of them. Letter case is ignored.
bool IsProtectedFolder(const std::wstring& folder);

// Whether the tree `folder` may be changed as one of the product's own folders (its permissions
// set): a plain absolute path below a drive root or a share, and not a protected folder.
bool IsOwnFolderTree(const std::wstring& folder);

// Whether a product folder may be emptied: a plain absolute path below a drive root or a share,
// not a protected folder, and not the folder the running program lies in nor one holding it.
bool IsRemovableInstallDir(const std::wstring& installDir);

// Whether `folder` may be emptied as a folder meant to lie inside `container`: removable as above,
// and strictly inside the container (never the container itself). Either may end with "\".
bool IsConfinedFolder(const std::wstring& folder, const std::wstring& container);

// Whether `folder` is the folder the running program lies in, or holds it.
bool HoldsRunningProgram(const std::wstring& folder);
