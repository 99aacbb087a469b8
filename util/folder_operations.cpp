#include "util/folder_operations.h"

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "core/strings/string_util.h"
#include "util/scoped_handle.h"
#include "util/setup_log.h"

namespace {

// Read-only, hidden, system, volume, directory, archive and the three bits after them.
constexpr DWORD kListedAttributes = 0x1FF;

struct FolderEntry {
  std::wstring name;
  bool isFolder = false;
};

// Calls `visit` for each listed entry of `folder` (ending with "\") until it returns false.
void ForEachEntry(const std::wstring& folder,
                  const std::function<bool(const FolderEntry&)>& visit) {
  WIN32_FIND_DATAW data;
  win::ScopedFindHandle search(::FindFirstFileW((folder + L"*.*").c_str(), &data));
  if (!search.IsValid()) return;
  do {
    const std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if ((data.dwFileAttributes & kListedAttributes) == 0) continue;
    if (!visit({std::wstring(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0})) {
      return;
    }
  } while (::FindNextFileW(search.Get(), &data));
}

// The whole listing, taken before the walk changes the folder.
std::vector<FolderEntry> ListFolder(const std::wstring& folder) {
  std::vector<FolderEntry> entries;
  ForEachEntry(folder, [&](const FolderEntry& entry) {
    entries.push_back(entry);
    return true;
  });
  return entries;
}

bool IsExistingFolder(const std::wstring& path) {
  // A bare drive ("C:") would name the drive's current folder; its root is meant.
  const std::wstring probe = path.size() == 2 && path[1] == L':' ? path + L"\\" : path;
  const DWORD attributes = ::GetFileAttributesW(probe.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder holding `path` (which has no trailing "\"), without a trailing "\"; "" when `path`
// has no "\" left (a bare drive, a relative name). Each step shortens the path, so every walk up
// ends.
std::wstring ParentFolder(const std::wstring& path) {
  const size_t separator = path.rfind(L'\\');
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

// `path` without a trailing "\", replaced by its folder when its last component has an extension.
std::wstring FolderOfPath(const std::wstring& path) {
  std::wstring folder = strings::WithoutTrailingSeparator(path);
  const size_t separator = folder.rfind(L'\\');
  const size_t dot = folder.rfind(L'.');
  if (dot != std::wstring::npos && (separator == std::wstring::npos || dot > separator)) {
    folder = ParentFolder(folder);
  }
  return folder;
}

bool HoldsInvalidFileNameCharacter(std::wstring_view path) {
  for (size_t i = 0; i < path.size(); ++i) {
    const wchar_t c = path[i];
    if (c < 0x20 || std::wstring_view(L"\"*<>?|").find(c) != std::wstring_view::npos) return true;
    if (c == L':' && i != 1) return true;
  }
  return false;
}

enum class WalkEnd { kStopFolder, kExistingFolder, kOutOfPath };

// Walks up from `folder` to `stop` or to an existing folder, collecting the missing folders on
// the way, innermost first.
WalkEnd CollectMissingFolders(std::wstring folder, const std::wstring& stop,
                              std::vector<std::wstring>& missing) {
  for (;; folder = ParentFolder(folder)) {
    if (folder.empty()) return WalkEnd::kOutOfPath;
    if (folder == stop) return WalkEnd::kStopFolder;
    if (IsExistingFolder(folder)) return WalkEnd::kExistingFolder;
    missing.push_back(folder);
  }
}

void CreateOutermostFirst(const std::vector<std::wstring>& folders) {
  for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
    ::CreateDirectoryW(folder->c_str(), nullptr);
  }
}

}  // namespace

void CopyFolderTree(const std::wstring& source, const std::wstring& target, StatusSink* status,
                    bool failIfExists, const std::wstring& leaveOut, ProgressSink* progress,
                    const PauseGate& passGate) {
  for (const FolderEntry& entry : ListFolder(source)) {
    if (entry.isFolder) {
      if (!leaveOut.empty() && entry.name == leaveOut) continue;
      const std::wstring subfolder = target + entry.name + L"\\";
      if (!IsExistingFolder(target + entry.name)) ::CreateDirectoryW(subfolder.c_str(), nullptr);
      CopyFolderTree(source + entry.name + L"\\", subfolder, status, failIfExists, leaveOut,
                     progress, passGate);
      continue;
    }
    const std::wstring targetFile = target + entry.name;
    if (status != nullptr) status->ShowStatus(targetFile);
    LogFileOperation(L"copied", targetFile,
                     CopyFileThroughGate(source + entry.name, targetFile, failIfExists, passGate));
    ::SetFileAttributesW(targetFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (progress != nullptr) StepProgress(*progress);
  }
}

std::wstring SubfolderSpelling(const std::wstring& folder, const std::wstring& name) {
  for (const FolderEntry& entry : ListFolder(folder)) {
    if (entry.isFolder && strings::EqualsIgnoreCase(entry.name, name)) return entry.name;
  }
  return name;
}

void ClearFolderTree(const std::wstring& folder, StatusSink* status, ProgressSink* progress) {
  for (const FolderEntry& entry : ListFolder(folder)) {
    const std::wstring path = folder + entry.name;
    if (entry.isFolder) {
      ClearFolderTree(path + L"\\", nullptr, nullptr);
      ::RemoveDirectoryW(path.c_str());
      continue;
    }
    if (status != nullptr) status->ShowStatus(path);
    LogFileOperation(L"deleted", path, ::DeleteFileW(path.c_str()) != FALSE);
    if (progress != nullptr) StepProgress(*progress);
  }
}

void StepProgress(ProgressSink& progress) {
  if (progress.Position() == 100) progress.SetPosition(0);
  progress.SetPosition(progress.Position() + 1);
}

std::int32_t CountFolderEntries(const std::wstring& folder, const std::wstring& leaveOut) {
  std::int32_t count = 0;
  ForEachEntry(strings::WithTrailingSeparator(folder), [&](const FolderEntry& entry) {
    if (entry.name != leaveOut) ++count;
    return true;
  });
  return count;
}

void CreateFolderPath(const std::wstring& path, const std::wstring& stop) {
  std::vector<std::wstring> missing;
  if (CollectMissingFolders(FolderOfPath(path), strings::WithoutTrailingSeparator(stop), missing) !=
      WalkEnd::kOutOfPath) {
    CreateOutermostFirst(missing);
  }
}

bool PrepareFolderPath(const std::wstring& path, const std::wstring& stop, bool clear) {
  if (HoldsInvalidFileNameCharacter(path)) return false;
  const std::wstring folder = FolderOfPath(path);
  const std::wstring stopFolder = strings::WithoutTrailingSeparator(stop);
  std::vector<std::wstring> chain;
  WalkEnd end = WalkEnd::kOutOfPath;
  if (clear) {
    // Find the whole chain before emptying anything: a stop folder that is not above the path
    // must not let the walk empty the folders up to the drive's root.
    for (std::wstring level = folder; !level.empty(); level = ParentFolder(level)) {
      if (level == stopFolder) {
        end = WalkEnd::kStopFolder;
        break;
      }
      chain.push_back(level);
    }
    if (end != WalkEnd::kStopFolder) return true;
    for (const std::wstring& level : chain) ClearFolderTree(level + L"\\", nullptr, nullptr);
  } else {
    end = CollectMissingFolders(folder, stopFolder, chain);
    if (end == WalkEnd::kOutOfPath) return true;
  }
  if (end == WalkEnd::kStopFolder && !IsExistingFolder(stopFolder)) {
    ::CreateDirectoryW(stopFolder.c_str(), nullptr);
  }
  CreateOutermostFirst(chain);
  return true;
}

bool IsFolderEmpty(const std::wstring& folder) {
  bool empty = true;
  ForEachEntry(folder, [&](const FolderEntry&) {
    empty = false;
    return false;
  });
  return empty;
}
