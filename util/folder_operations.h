// Stateless walks over folders on disk: copy or empty a tree, count or test a folder's entries,
// create the missing folders of a path. Paths are full Windows paths joined by plain
// concatenation, so a folder argument said to end with "\" must end with it.
//
// The entries of a folder are those ListFolder (folder_walk.h) gives. A link (junction, symbolic
// link, mount point) is never walked into: a copy passes it over, a clear removes it as a link
// or leaves it, and a walk whose own folder is a link does nothing. Names to leave out and stop
// folders are compared exactly, letter case included. Paths past 260 characters work. Nothing is
// reported: a step that fails leaves its entry as it is and the walk goes on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "util/gated_file_copy.h"
#include "util/progress_sink.h"

// Copies the content of `source` into `target` (both ending with "\"; `target` must exist),
// each subfolder completely before the next entry, creating target subfolders that are missing
// and copying into those that exist. Folders named `leaveOut` are passed over at every depth
// ("" passes over nothing). A link in the target where a folder or file would go is removed as a
// link first, or that entry is not copied. Every copied file gets normal attributes: it is neither
// read-only, hidden nor system. Per file, `status` shows the target path and `progress` steps once;
// each file is copied through `passGate` (see CopyFileThroughGate). Returns how many copies
// failed or were kept out by a link that remains (a linked `target` counts as one); 0: all done.
std::size_t CopyFolderTree(const std::wstring& source, const std::wstring& target,
                           StatusSink* status, bool failIfExists, const std::wstring& leaveOut,
                           ProgressSink* progress, const PauseGate& passGate = nullptr);

// The name of the subfolder of `folder` (ending with "\") that is `name` in any letter case, as
// the file system spells it; `name` itself when there is none. Windows finds a folder by its
// name in any letter case, so a copy that leaves a folder out must compare that spelling.
std::wstring SubfolderSpelling(const std::wstring& folder, const std::wstring& name);

// Whether every file below `source` has a copy of the same size at the same place below
// `target`; both end with "\". Links below `source` are not counted.
bool EveryFileArrived(const std::wstring& source, const std::wstring& target);

// Deletes the files and subfolders of `folder` (ending with "\"); the folder itself stays. File
// attributes are not changed first, so a read-only file stays. `status` and `progress` report
// only the files directly inside `folder`. Folders named `keepName` ("" keeps none) stay with
// their content at every depth.
void ClearFolderTree(const std::wstring& folder, StatusSink* status, ProgressSink* progress,
                     const std::wstring& keepName = L"");

// Removes every link below `folder` (ending with "\"), as a link, at any depth.
void RemoveLinksInTree(const std::wstring& folder);

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

// With `clear` set, every folder from below `stop` down to `path` ends up existing and empty
// (but for one that IsConfinedFolder refuses, which stays as it is), and `stop` is created when
// missing; when `stop` does not lie above `path` nothing is touched.
// With `clear` unset it is CreateFolderPath, except that a missing `stop` is created too when the
// walk reaches it. `path` is taken for a file as in CreateFolderPath.
// Returns false, having touched nothing, when `path` holds a character that no file name may
// hold (control characters, " * < > ? |, or a ":" other than the drive's).
[[nodiscard]] bool PrepareFolderPath(const std::wstring& path, const std::wstring& stop,
                                     bool clear);

// True when `folder` (ending with "\") has no entries, or cannot be listed.
bool IsFolderEmpty(const std::wstring& folder);
