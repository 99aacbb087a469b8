#include "util/folder_operations.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/strings/case_folding.h"
#include "core/strings/string_util.h"
#include "util/folder_walk.h"
#include "util/held_folder.h"
#include "util/removal_guards.h"
#include "util/setup_log.h"

namespace {

bool IsExistingFolder(const std::wstring& path) {
  // A bare drive ("C:") would name the drive's current folder; its root is meant.
  const std::wstring probe = path.size() == 2 && path[1] == L':' ? path + L"\\" : path;
  const DWORD attributes = ::GetFileAttributesW(probe.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A link found where a walk would write or remove: it goes as a link, or the walk keeps away.
bool LinkRemains(const std::wstring& path) {
  return IsLinkPath(path) && !RemoveLink(path);
}

constexpr DWORD kAttributesToClear =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The names in `folder`, case folded, as Windows compares them.
std::unordered_set<std::wstring> FoldedNames(const std::wstring& folder) {
  std::unordered_set<std::wstring> names;
  for (const FolderEntry& entry : ListFolder(folder)) names.insert(strings::FoldCase(entry.name));
  return names;
}

// Copies one file of a tree. A name the target folder did not list is copied as a new file at
// once; a name it listed, or one planted since the listing (the new file's creation then fails),
// is looked at first: a link there goes as a link, or the file is not copied.
bool CopyOneFile(const std::wstring& source, const std::wstring& target, bool listed,
                 bool failIfExists, const PauseGate& passGate) {
  const std::wstring longSource = LongPath(source);
  const std::wstring longTarget = LongPath(target);
  if (!listed) {
    if (CopyFileThroughGate(longSource, longTarget, true, passGate)) return true;
    const DWORD error = ::GetLastError();
    if (failIfExists || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)) {
      return false;
    }
  }
  if (LinkRemains(target)) return false;
  return CopyFileThroughGate(longSource, longTarget, failIfExists, passGate);
}

std::optional<ULONGLONG> FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
    return std::nullopt;
  }
  return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
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

// Empties `folder` through its handle (see ClearFolderTree): a folder swapped for a link while
// the walk runs is never followed.
void ClearHeldFolder(const HeldFolder& folder, StatusSink* status, ProgressSink* progress,
                     const std::wstring& keepName) {
  for (const HeldEntry& entry : folder.List()) {
    const std::wstring path = folder.Path() + L"\\" + entry.name;
    if (entry.IsLink()) {
      RemoveLink(path);
      continue;
    }
    if (entry.IsFolder()) {
      if (!keepName.empty() && entry.name == keepName) continue;
      if (const auto below = folder.OpenFolder(entry, DELETE)) {
        ClearHeldFolder(*below, nullptr, nullptr, keepName);
        (void)below->DeleteWhenClosed();
      }
      continue;
    }
    if (status != nullptr) status->ShowStatus(path);
    LogFileOperation(L"deleted", path, folder.DeleteFileEntry(entry, false));
    if (progress != nullptr) StepProgress(*progress);
  }
}

}  // namespace

std::size_t CopyFolderTree(const std::wstring& source, const std::wstring& target,
                           StatusSink* status, bool failIfExists, const std::wstring& leaveOut,
                           ProgressSink* progress, const PauseGate& passGate) {
  if (IsLinkPath(source)) return 0;
  if (IsLinkPath(target)) return 1;
  std::size_t notCopied = 0;
  const std::unordered_set<std::wstring> existing = FoldedNames(target);
  for (const FolderEntry& entry : ListFolder(source)) {
    if (entry.IsLink()) continue;
    if (entry.IsFolder()) {
      if (!leaveOut.empty() && entry.name == leaveOut) continue;
      const std::wstring subfolder = target + entry.name + L"\\";
      if (LinkRemains(target + entry.name)) {
        ++notCopied;
        continue;
      }
      if (!IsExistingFolder(target + entry.name)) {
        ::CreateDirectoryW(LongPath(subfolder).c_str(), nullptr);
      }
      notCopied += CopyFolderTree(source + entry.name + L"\\", subfolder, status, failIfExists,
                                  leaveOut, progress, passGate);
      continue;
    }
    const std::wstring targetFile = target + entry.name;
    if (status != nullptr) status->ShowStatus(targetFile);
    const bool copied =
        CopyOneFile(source + entry.name, targetFile,
                    existing.contains(strings::FoldCase(entry.name)), failIfExists, passGate);
    LogFileOperation(L"copied", targetFile, copied);
    // The copy is a new file with the source's attributes: only those need clearing.
    if (copied && (entry.attributes & kAttributesToClear) != 0) {
      ::SetFileAttributesW(LongPath(targetFile).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    if (!copied) ++notCopied;
    if (progress != nullptr) StepProgress(*progress);
  }
  return notCopied;
}

bool EveryFileArrived(const std::wstring& source, const std::wstring& target) {
  for (const FolderEntry& entry : ListFolder(source)) {
    if (entry.IsLink()) continue;
    if (entry.IsFolder()) {
      if (!EveryFileArrived(source + entry.name + L"\\", target + entry.name + L"\\")) {
        return false;
      }
      continue;
    }
    const auto copied = FileSize(target + entry.name);
    if (!copied || copied != FileSize(source + entry.name)) return false;
  }
  return true;
}

std::wstring SubfolderSpelling(const std::wstring& folder, const std::wstring& name) {
  for (const FolderEntry& entry : ListFolder(folder)) {
    if (entry.IsFolder() && strings::EqualsIgnoreCase(entry.name, name)) return entry.name;
  }
  return name;
}

void ClearFolderTree(const std::wstring& folder, StatusSink* status, ProgressSink* progress,
                     const std::wstring& keepName) {
  if (const auto held = HeldFolder::Open(folder, 0)) {
    ClearHeldFolder(*held, status, progress, keepName);
  }
}

void RemoveLinksInTree(const std::wstring& folder) {
  if (IsLinkPath(folder)) return;
  for (const FolderEntry& entry : ListFolder(folder)) {
    if (entry.IsLink()) {
      RemoveLink(folder + entry.name);
    } else if (entry.IsFolder()) {
      RemoveLinksInTree(folder + entry.name + L"\\");
    }
  }
}

void StepProgress(ProgressSink& progress) {
  if (progress.Position() == 100) progress.SetPosition(0);
  progress.SetPosition(progress.Position() + 1);
}

std::int32_t CountFolderEntries(const std::wstring& folder, const std::wstring& leaveOut) {
  std::int32_t count = 0;
  for (const FolderEntry& entry : ListFolder(folder)) {
    if (entry.name != leaveOut) ++count;
  }
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
    // Never the folder the program runs from (an installation started from its own uninstaller
    // copy), a special folder, or a folder that a rewritten path lets out of `stop`.
    for (const std::wstring& level : chain) {
      if (IsConfinedFolder(level, stopFolder)) ClearFolderTree(level + L"\\", nullptr, nullptr);
    }
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
  FolderEnumerator enumerator(folder);
  FolderEntry entry;
  return !enumerator.Next(entry);
}
