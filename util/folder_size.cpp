#include "util/folder_size.h"

#include <limits>

#include "core/strings/string_util.h"
#include "util/folder_walk.h"

std::uint64_t FolderSizeBytes(const std::wstring& folder) {
  if (IsLinkPath(folder)) return 0;
  const std::wstring base = strings::WithTrailingSeparator(folder);
  std::uint64_t bytes = 0;
  FolderEnumerator enumerator(base);
  FolderEntry entry;
  while (enumerator.Next(entry)) {
    if (entry.IsFolder()) {
      bytes += FolderSizeBytes(base + entry.name);
    } else if (entry.IsFile()) {
      bytes += entry.size;
    }
  }
  return bytes;
}

std::uint32_t KilobytesRoundedUp(std::uint64_t bytes) {
  const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
  constexpr std::uint64_t kMost = std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(kilobytes < kMost ? kilobytes : kMost);
}
