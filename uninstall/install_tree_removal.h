// Emptying the product folder on uninstallation, keeping the user's scripts and macros.
#pragma once

#include <string>

#include "util/progress_sink.h"
#include "util/removal_guards.h"

// Deletes the files at every depth of `installDir` and removes its emptied subfolders, except
// that folders named exactly "ScriptsMacros" are passed over with their content and folders
// named like `installDir` itself (the program folder) are emptied but kept; `installDir` stays
// too. Before each file, `status` shows its path; after it, `progress` steps once. A folder
// entry that is a link to elsewhere (junction or symbolic link) is removed as a link, never
// walked. Nothing is done unless IsRemovableInstallDir (removal_guards.h) allows the folder.
void DeleteInstallTree(const std::wstring& installDir, StatusSink& status, ProgressSink& progress);

// Whether nothing of the installation is left in `installDir`: no file outside "ScriptsMacros"
// folders. An empty `installDir` counts as removed; a folder DeleteInstallTree would not touch
// does not, so that the record which names it stays.
bool InstallTreeRemoved(const std::wstring& installDir);
