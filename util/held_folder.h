// Walks that a link planted on the way cannot lead elsewhere: a folder is held open by a handle
// that was checked to be a folder and not a link, it is listed through that handle, and each of
// its entries is opened and checked to be the very entry that was listed (its file id) before
// anything is done through it. A folder swapped for a junction between the listing and the open
// is then never followed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "util/scoped_handle.h"

struct HeldEntry {
  std::wstring name;
  DWORD attributes = 0;
  ULONGLONG size = 0;
  LONGLONG fileId = 0;

  bool IsLink() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
  bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !IsLink(); }
  bool IsFile() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !IsLink(); }
};

// What a handle opened on an entry itself says of it.
struct HandleFacts {
  DWORD attributes = 0;
  DWORD links = 0;
  LONGLONG fileId = 0;

  bool IsLink() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
  bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

// Opens `path` itself with `access` (and the right to read its attributes), never what a link
// there points to. Invalid when it cannot be opened, or when `path` names a link.
win::ScopedHandle OpenEntryItself(const std::wstring& path, DWORD access);

// The attributes, link count and file id of an open handle; nullopt when they cannot be read.
std::optional<HandleFacts> FactsOf(HANDLE handle);

class HeldFolder {
 public:
  // Opens `path` (with or without a trailing "\") with `access` plus listing; nullopt when it is
  // missing, cannot be opened, or is a link or a file.
  static std::optional<HeldFolder> Open(const std::wstring& path, DWORD access);

  HeldFolder(HeldFolder&&) = default;
  HeldFolder& operator=(HeldFolder&&) = default;

  // The path the folder was opened by, without a trailing "\".
  const std::wstring& Path() const { return path_; }
  HANDLE Get() const { return handle_.Get(); }

  // The entries, "." and ".." left out, listed through the handle.
  std::vector<HeldEntry> List() const;

  // Opens `entry` with `access`, relative to this folder's handle: invalid unless the opened
  // entry is the listed one (same file id) and no link. `facts`, when given, gets what the
  // handle says of it.
  win::ScopedHandle OpenEntry(const HeldEntry& entry, DWORD access,
                              HandleFacts* facts = nullptr) const;
  // The subfolder `entry`, held as above.
  std::optional<HeldFolder> OpenFolder(const HeldEntry& entry, DWORD access) const;

  // Deletes the file `entry` names through a handle opened relative to this folder's handle,
  // never by a path that could be led elsewhere: what has the name now goes, as a name (a link
  // as the link, a hard link as that one name). With `evenReadOnly` a read-only file loses that
  // attribute first (unless other hard links share it). False when it cannot be deleted.
  [[nodiscard]] bool DeleteFileEntry(const HeldEntry& entry, bool evenReadOnly) const;
  // Deletes the file `name` in the folder at `path` as a name (a link as the link) through a handle
  // on that folder, checked to lie inside `root`: a folder on the way swapped for a link, even
  // after any check by path, never leads the deletion out of `root`. False when nothing of that
  // name could be deleted there.
  [[nodiscard]] static bool DeleteFileInside(const std::wstring& path, const std::wstring& root);
  // Deletes this folder itself once its handle closes; it must be empty by then. Needs DELETE
  // among the access it was opened with.
  [[nodiscard]] bool DeleteWhenClosed() const;

 private:
  HeldFolder(std::wstring path, win::ScopedHandle handle)
      : path_(std::move(path)), handle_(std::move(handle)) {}

  std::wstring path_;
  win::ScopedHandle handle_;
};
