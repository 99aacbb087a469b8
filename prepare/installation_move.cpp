#include "prepare/installation_move.h"

#include <shlobj.h>
#include <windows.h>

#include "core/strings/string_util.h"
#include "util/file_bytes.h"
#include "util/folder_identity.h"
#include "util/folder_operations.h"
#include "util/removal_guards.h"

bool MoveInstallation(const std::wstring& oldFolder, const std::wstring& newFolder,
                      const std::wstring& recordedFolder) {
  if (oldFolder.empty() || newFolder.empty()) return false;
  if (SameFolder(oldFolder, newFolder)) return false;
  // Copying a folder into one inside it never ends; clearing one that holds the other loses both.
  if (FolderContains(oldFolder, newFolder) || FolderContains(newFolder, oldFolder)) return false;
  if (!SameFolder(oldFolder, recordedFolder) || IsRootFolder(oldFolder)) return false;
  // A record can name any folder: only one the uninstallation could empty is ever cleared.
  if (!IsRemovableInstallDir(oldFolder)) return false;
  if (!FolderExists(oldFolder)) return false;

  const std::wstring source = strings::WithTrailingSeparator(FullFolderPath(oldFolder));
  const std::wstring target = strings::WithTrailingSeparator(FullFolderPath(newFolder));
  ::SHCreateDirectoryExW(nullptr, target.c_str(), nullptr);
  CopyFolderTree(source, target, nullptr, false, L"", nullptr);
  if (!EveryFileArrived(source, target)) return false;
  ClearFolderTree(source, nullptr, nullptr);
  return true;
}
