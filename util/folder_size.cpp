#include "util/folder_size.h"

#include <windows.h>

#include <limits>

#include "core/strings/string_util.h"
#include "util/scoped_handle.h"

std::uint64_t FolderSizeBytes(const std::wstring& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return 0;
  }
  const std::wstring base = strings::WithTrailingSeparator(folder);
  WIN32_FIND_DATAW entry;
  win::ScopedFindHandle find(::FindFirstFileW((base + L"*").c_str(), &entry));
  if (!find.IsValid()) return 0;
  std::uint64_t bytes = 0;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      bytes += FolderSizeBytes(base + name);
    } else {
      bytes += (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    }
  } while (::FindNextFileW(find.Get(), &entry));
  return bytes;
}

std::uint32_t KilobytesRoundedUp(std::uint64_t bytes) {
  const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
  constexpr std::uint64_t kMost = std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(kilobytes < kMost ? kilobytes : kMost);
}
