// Copying one file so that a paused worker holds inside it, not only between files.
#pragma once

#include <string>

#include "util/progress_sink.h"

// Copies `source` to `target` as CopyFileW does, through CopyFileExW: its progress routine passes
// `passGate` each time the system reports a part of the file written, so a pause holds a large
// copy within a fraction of a second. Overwriting removes the existing name first (a file, hard
// link or link, never what it shares or points to), so the copy is always a file of its own.
// Returns whether the copy succeeded.
bool CopyFileThroughGate(const std::wstring& source, const std::wstring& target, bool failIfExists,
                         const PauseGate& passGate);
