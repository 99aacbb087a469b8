// The files a run could not write (copies that failed), for the finish page that must not call
// incomplete work complete. Every thread may note.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

void NoteFileLeftOut(const std::wstring& path);
// The first `count` paths noted, in order.
std::vector<std::wstring> FirstFilesLeftOut(std::size_t count);
std::size_t FilesLeftOutCount();
// Whether `path` was noted (letter case ignored).
bool WasLeftOut(const std::wstring& path);
