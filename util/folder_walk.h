// The one enumerator that every walk over a folder uses: copying, clearing, removing, moving,
// comparing and listing. A link (junction, directory symbolic link, mount point) is reported with
// its attributes and never walked into: the program runs elevated over folders that everybody
// may write to, so a link planted there must not carry a clear or a copy anywhere else.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "util/scoped_handle.h"

struct FolderEntry {
  std::wstring name;
  DWORD attributes = 0;
  ULONGLONG size = 0;

  // A junction, symbolic link or mount point: removed as a link or passed over, never walked.
  bool IsLink() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
  // A folder to walk into.
  bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !IsLink(); }
  bool IsFile() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !IsLink(); }
};

class FolderEnumerator {
 public:
  // `folder` with or without a trailing "\".
  explicit FolderEnumerator(const std::wstring& folder);
  FolderEnumerator(const FolderEnumerator&) = delete;
  FolderEnumerator& operator=(const FolderEnumerator&) = delete;

  // The next entry, "." and ".." passed over; false at the end (or when the folder cannot be
  // listed). `entry` is not touched then.
  [[nodiscard]] bool Next(FolderEntry& entry);

 private:
  std::wstring pattern_;
  win::ScopedFindHandle find_;
  WIN32_FIND_DATAW data_{};
  bool started_ = false;
};

// The entries the tree walks work on, listed whole before a walk changes the folder: those whose
// attributes hold one of the bits 0x1FF (read-only to temporary).
std::vector<FolderEntry> ListFolder(const std::wstring& folder);

// `path` in the "\\?\" form that file operations take past 260 characters: made full first, so
// "." and ".." steps, "/" and doubled separators are resolved. Paths already in that form, and
// relative paths that cannot be made full, come back unchanged.
std::wstring LongPath(const std::wstring& path);

// Whether `path` itself (not a folder above it) is a link.
bool IsLinkPath(const std::wstring& path);

// Removes the link at `path` itself, never what it points to. False when `path` is not a link or
// the link cannot be removed; the link then stays. (Wine opens the target instead of a Unix
// symbolic link, so there the link always stays.)
bool RemoveLink(const std::wstring& path);
