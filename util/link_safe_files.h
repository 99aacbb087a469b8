// Writing files in folders that everybody may write to, so that nothing planted there under the
// file's name is written through: a hard link shares its data with a file elsewhere, and a link
// points elsewhere. The existing name is removed first (the name, never what it shares or points
// to) and the file is created new.
#pragma once

#include <windows.h>

#include <string>

#include "util/scoped_handle.h"

// Removes the entry `path` names when it is a file, a hard link or a link, as a name: a link's
// target and the data another hard link shares stay. True when nothing of that name is left (also
// when there was nothing); false for a folder or an entry that cannot be removed.
[[nodiscard]] bool RemoveFileName(const std::wstring& path);

// Creates `path` new for writing with `share`, after removing what had the name; invalid when the
// name cannot be removed or another entry took it in between.
win::ScopedHandle CreateFileAfresh(const std::wstring& path, DWORD share);

// Whether a folder between `root` (itself not counted) and the entry `path` is a link: a name
// below it would then reach outside. Both are full paths; `path` lies below `root`.
bool PassesThroughLink(const std::wstring& path, const std::wstring& root);
