// Stateless walks over folders on disk: copy or empty a tree, count or test a folder's entries,
// create the missing folders of a path. Paths are full Windows paths joined by plain
// concatenation, so a folder argument said to end with "\" must end with it.
//
// The entries of a folder are what a file search on "*.*" finds, except "." and "..", and except
// entries whose attributes hold none of the bits 0x1FF; an entry is a folder when it has the
// directory bit. Names to leave out and stop folders are compared exactly, letter case included.
// Nothing is reported: a step that fails leaves its entry as it is and the walk goes on.
#pragma once

#include <cstdint>
#include <string>

#include "util/gated_file_copy.h"
#include "util/progress_sink.h"

// Copies the content of `source` into `target` (both ending with "\"; `target` must exist),
// each subfolder completely before the next entry, creating target subfolders that are missing
// and copying into those that exist. Folders named `leaveOut` are passed over at every depth
// ("" passes over nothing). Every copied file gets normal attributes: it is neither read-only,
// hidden nor system. Per file, `status` shows the target path and `progress` steps once; each
// file is copied through `passGate` (see CopyFileThroughGate).
void CopyFolderTree(const std::wstring& source, const std::wstring& target, StatusSink* status,
                    bool failIfExists, const std::wstring& leaveOut, ProgressSink* progress,
                    const PauseGate& passGate = nullptr);

// The name of the subfolder of `folder` (ending with "\") that is `name` in any letter case, as
// the file system spells it; `name` itself when there is none. Windows finds a folder by its
// name in any letter case, so a copy that leaves a folder out must compare that spelling.
std::wstring SubfolderSpelling(const std::wstring& folder, const std::wstring& name);

// Deletes the files and subfolders of `folder` (ending with "\"); the folder itself stays. File
// attributes are not changed first, so a read-only file stays. `status` and `progress` report
// only the files directly inside `folder`.
void ClearFolderTree(const std::wstring& folder, StatusSink* status, ProgressSink* progress);

// Moves the bar one step: 1, 2, ... 100, then 1 again; it never goes back to 0.
void StepProgress(ProgressSink& progress);

// The number of files and folders directly inside `folder` (a missing trailing "\" is added)
// whose names differ from `leaveOut`; 0 when the folder cannot be listed.
std::int32_t CountFolderEntries(const std::wstring& folder, const std::wstring& leaveOut);

// Creates the missing folders of `path`, outermost first. `path` names a file when its last
// component holds a "." (as "Setup.exe" and "Tool 1.5" do); then its folder is the one made.
// The walk up from `path` ends at `stop` or at an existing folder, and creates nothing when it
// runs out of path before (a missing drive, a relative path): `stop` and the folders above it are
// never created. Either may end with "\".
void CreateFolderPath(const std::wstring& path, const std::wstring& stop);

// With `clear` set, every folder from below `stop` down to `path` ends up existing and empty, and
// `stop` is created when missing; when `stop` does not lie above `path` nothing is touched.
// With `clear` unset it is CreateFolderPath, except that a missing `stop` is created too when the
// walk reaches it. `path` is taken for a file as in CreateFolderPath.
// Returns false, having touched nothing, when `path` holds a character that no file name may
// hold (control characters, " * < > ? |, or a ":" other than the drive's).
[[nodiscard]] bool PrepareFolderPath(const std::wstring& path, const std::wstring& stop,
                                     bool clear);

// True when `folder` (ending with "\") has no entries, or cannot be listed.
bool IsFolderEmpty(const std::wstring& folder);
