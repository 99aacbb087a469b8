#include "uninstall/install_tree_removal.h"

#include <windows.h>

#include <vector>

#include "uninstall/removal_guards.h"
#include "util/folder_operations.h"
#include "util/scoped_handle.h"
#include "util/setup_log.h"

namespace {

// Read-only, hidden, system, volume, directory, archive and the three bits after them: what
// the folder walks of the program list.
constexpr DWORD kListedAttributes = 0x1FF;

struct Entry {
  std::wstring name;
  DWORD attributes = 0;
};

std::vector<Entry> ListFolder(const std::wstring& folder) {
  std::vector<Entry> entries;
  WIN32_FIND_DATAW data;
  win::ScopedFindHandle search(::FindFirstFileW((folder + L"*.*").c_str(), &data));
  if (!search.IsValid()) return entries;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if ((data.dwFileAttributes & kListedAttributes) == 0) continue;
    entries.push_back({name, data.dwFileAttributes});
  } while (::FindNextFileW(search.Get(), &data));
  return entries;
}

class TreeRemoval {
 public:
  TreeRemoval(std::wstring keepName, StatusSink& status, ProgressSink& progress)
      : keepName_(std::move(keepName)), status_(status), progress_(progress) {}

  // `folder` ends with "\".
  void Empty(const std::wstring& folder) {
    for (const Entry& entry : ListFolder(folder)) {
      const std::wstring path = folder + entry.name;
      if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        status_.ShowStatus(path);
        LogFileOperation(L"deleted", path, ::DeleteFileW(path.c_str()) != FALSE);
        StepProgress(progress_);
      } else if (entry.name == kScriptsMacrosFolder) {
        LogLine(L"kept (the user's scripts and macros): " + path);
        continue;
      } else if ((entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // Removing the link leaves the folder it points to alone.
        ::RemoveDirectoryW(path.c_str());
      } else {
        Empty(path + L"\\");
        if (entry.name != keepName_) ::RemoveDirectoryW(path.c_str());
      }
    }
  }

 private:
  std::wstring keepName_;
  StatusSink& status_;
  ProgressSink& progress_;
};

}  // namespace

void DeleteInstallTree(const std::wstring& installDir, StatusSink& status, ProgressSink& progress) {
  if (!IsRemovableInstallDir(installDir)) {
    LogLine(L"guard: the product folder is not emptied, not a plain product folder: " + installDir);
    return;
  }
  const std::wstring folder = NormalisedAbsolutePath(installDir);
  const std::wstring keepName = folder.substr(folder.rfind(L'\\') + 1);
  TreeRemoval(keepName, status, progress).Empty(folder + L"\\");
}
