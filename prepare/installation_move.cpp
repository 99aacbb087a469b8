#include "prepare/installation_move.h"

#include <shlobj.h>
#include <windows.h>

#include <optional>

#include "core/strings/string_util.h"
#include "prepare/folder_identity.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "util/scoped_handle.h"

namespace {

// The size of the file, or nothing when it cannot be read.
std::optional<ULONGLONG> FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Whether every file below `source` has a copy of the same size at the same place below
// `target`; both end with "\".
bool EveryFileArrived(const std::wstring& source, const std::wstring& target) {
  WIN32_FIND_DATAW data;
  win::ScopedFindHandle search(::FindFirstFileW((source + L"*").c_str(), &data));
  if (!search.IsValid()) return true;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!EveryFileArrived(source + name + L"\\", target + name + L"\\")) return false;
      continue;
    }
    const auto copied = FileSize(target + name);
    if (!copied || copied != FileSize(source + name)) return false;
  } while (::FindNextFileW(search.Get(), &data));
  return true;
}

}  // namespace

bool MoveInstallation(const std::wstring& oldFolder, const std::wstring& newFolder,
                      const std::wstring& recordedFolder) {
  if (oldFolder.empty() || newFolder.empty()) return false;
  if (SameFolder(oldFolder, newFolder)) return false;
  // Copying a folder into one inside it never ends; clearing one that holds the other loses both.
  if (FolderContains(oldFolder, newFolder) || FolderContains(newFolder, oldFolder)) return false;
  if (!SameFolder(oldFolder, recordedFolder) || IsRootFolder(oldFolder)) return false;
  if (!FolderExists(oldFolder)) return false;

  const std::wstring source = strings::WithTrailingSeparator(FullFolderPath(oldFolder));
  const std::wstring target = strings::WithTrailingSeparator(FullFolderPath(newFolder));
  ::SHCreateDirectoryExW(nullptr, target.c_str(), nullptr);
  CopyFolderTree(source, target, nullptr, false, L"", nullptr);
  if (!EveryFileArrived(source, target)) return false;
  ClearFolderTree(source, nullptr, nullptr);
  return true;
}
