#include "uninstall/uninstaller_self_removal.h"

#include <windows.h>

#include "app/run_lock.h"
#include "util/executable_folder.h"
#include "util/folder_identity.h"
#include "util/folder_walk.h"
#include "util/removal_guards.h"
#include "util/setup_log.h"

namespace {

class SelfRemoval {
 public:
  // Deletes `path` (a file or an emptied folder), or marks it for deletion at the next restart.
  void RemoveOrMark(const std::wstring& path, bool folder) {
    const std::wstring longPath = LongPath(path);
    if (folder ? ::RemoveDirectoryW(longPath.c_str()) : ::DeleteFileW(longPath.c_str())) {
      LogLine(L"deleted " + path);
      return;
    }
    const DWORD error = ::GetLastError();
    // The delayed deletion takes a plain path: the restart's session manager knows no "\\?\".
    if (::MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
      LogLine(L"left until the next restart, which deletes it (error " + std::to_wstring(error) +
              L"): " + path);
    } else {
      LogLine(L"left (error " + std::to_wstring(error) + L", not marked for the restart either: " +
              std::to_wstring(::GetLastError()) + L"): " + path);
    }
    left_.push_back(path);
  }

  // `folder` ends with "\".
  void Empty(const std::wstring& folder) {
    for (const FolderEntry& entry : ListFolder(folder)) {
      const std::wstring path = folder + entry.name;
      if (entry.IsLink()) {
        if (!RemoveLink(path)) {
          LogLine(L"left (a link that cannot be removed): " + path);
          left_.push_back(path);
        }
      } else if (entry.IsFolder()) {
        Empty(path + L"\\");
        RemoveOrMark(path, true);
      } else {
        if (entry.attributes & FILE_ATTRIBUTE_READONLY) {
          ::SetFileAttributesW(LongPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        RemoveOrMark(path, false);
      }
    }
  }

  std::vector<std::wstring> Left() { return std::move(left_); }

 private:
  std::vector<std::wstring> left_;
};

}  // namespace

std::vector<std::wstring> RemoveOwnUninstallerCopy(const std::wstring& uninstallerPath) {
  const std::size_t separator = uninstallerPath.rfind(L'\\');
  if (separator == std::wstring::npos) return {};
  const std::wstring folder = NormalisedAbsolutePath(uninstallerPath.substr(0, separator));
  // A package run with "uninstallanyway" is no uninstaller copy: it stays as it is.
  if (folder.empty() || !SameFolder(folder, ExecutableFolder())) return {};
  // The run that started this removal installs again and fills the same folder: what a restart
  // deleted then would be the new installation's uninstaller.
  if (RunsOnBehalfOfItsStarter()) {
    LogLine(L"the uninstaller copy stays for the installation that started its removal: " + folder);
    return {};
  }
  // The folder holds the running program, which IsRemovableInstallDir refuses for every other
  // removal; here that is the point, and only the rest of its rules apply.
  if (IsProtectedFolder(folder) || folder.find(L'\\', 3) == std::wstring::npos) {
    LogLine(L"guard: the uninstaller copy's folder is not removed, not a plain folder: " + folder);
    return {};
  }
  LogLine(L"removing the uninstaller copy: " + folder);
  SelfRemoval removal;
  removal.Empty(folder + L"\\");
  removal.RemoveOrMark(folder, true);
  return removal.Left();
}
