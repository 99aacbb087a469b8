#include "uninstall/install_tree_removal.h"

#include <windows.h>

#include "util/folder_operations.h"
#include "util/folder_walk.h"
#include "util/held_folder.h"
#include "util/removal_guards.h"
#include "util/setup_log.h"

namespace {

class TreeRemoval {
 public:
  TreeRemoval(std::wstring keepName, StatusSink& status, ProgressSink& progress)
      : keepName_(std::move(keepName)), status_(status), progress_(progress) {}

  // Empties the held folder through its handle: a folder swapped for a link while the walk runs
  // is never followed.
  void Empty(const HeldFolder& folder) {
    for (const HeldEntry& entry : folder.List()) {
      const std::wstring path = folder.Path() + L"\\" + entry.name;
      if (entry.IsLink()) {
        // The link goes, the folder it points to stays.
        RemoveLink(path);
      } else if (entry.IsFile()) {
        status_.ShowStatus(path);
        // A file made read-only after the installation is the installation's all the same.
        LogFileOperation(L"deleted", path, folder.DeleteFileEntry(entry, true));
        StepProgress(progress_);
      } else if (entry.name == kScriptsMacrosFolder) {
        LogLine(L"kept (the user's scripts and macros): " + path);
      } else if (const auto below = folder.OpenFolder(entry, DELETE)) {
        Empty(*below);
        if (entry.name != keepName_) (void)below->DeleteWhenClosed();
      }
    }
  }

 private:
  std::wstring keepName_;
  StatusSink& status_;
  ProgressSink& progress_;
};

bool HoldsFilesOutsideScripts(const std::wstring& folder) {
  for (const FolderEntry& entry : ListFolder(folder)) {
    if (entry.IsFile()) return true;
    if (entry.IsFolder() && entry.name != kScriptsMacrosFolder &&
        HoldsFilesOutsideScripts(folder + entry.name + L"\\")) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool InstallTreeRemoved(const std::wstring& installDir) {
  // A record naming no folder leaves nothing to remove; a folder the removal refuses (the
  // Windows folder, a drive root) is not removed, and the removal must not say it was.
  if (!IsRemovableInstallDir(installDir)) return installDir.empty();
  return !HoldsFilesOutsideScripts(NormalisedAbsolutePath(installDir) + L"\\");
}

void DeleteInstallTree(const std::wstring& installDir, StatusSink& status, ProgressSink& progress) {
  if (!IsRemovableInstallDir(installDir)) {
    LogLine(L"guard: the product folder is not emptied, not a plain product folder: " + installDir);
    return;
  }
  const std::wstring folder = NormalisedAbsolutePath(installDir);
  const std::wstring keepName = folder.substr(folder.rfind(L'\\') + 1);
  if (const auto held = HeldFolder::Open(folder, 0)) {
    TreeRemoval(keepName, status, progress).Empty(*held);
  }
}
