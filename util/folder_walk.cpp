#include "util/folder_walk.h"

#include <string_view>

namespace {

// Read-only, hidden, system, volume, directory, archive and the three bits after them.
constexpr DWORD kListedAttributes = 0x1FF;

std::wstring WithSeparator(const std::wstring& folder) {
  return folder.empty() || folder.back() == L'\\' ? folder : folder + L'\\';
}

}  // namespace

FolderEnumerator::FolderEnumerator(const std::wstring& folder)
    : pattern_(LongPath(WithSeparator(folder) + L"*")) {}

bool FolderEnumerator::Next(FolderEntry& entry) {
  for (;;) {
    if (!started_) {
      started_ = true;
      find_.Reset(::FindFirstFileW(pattern_.c_str(), &data_));
      if (!find_.IsValid()) return false;
    } else if (!find_.IsValid() || !::FindNextFileW(find_.Get(), &data_)) {
      return false;
    }
    const std::wstring_view name = data_.cFileName;
    if (name == L"." || name == L"..") continue;
    entry.name = data_.cFileName;
    entry.attributes = data_.dwFileAttributes;
    entry.size = (static_cast<ULONGLONG>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
    return true;
  }
}

std::vector<FolderEntry> ListFolder(const std::wstring& folder) {
  std::vector<FolderEntry> entries;
  FolderEnumerator enumerator(folder);
  FolderEntry entry;
  while (enumerator.Next(entry)) {
    if ((entry.attributes & kListedAttributes) != 0) entries.push_back(entry);
  }
  return entries;
}

std::wstring LongPath(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return path;
  const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  const bool share = path.rfind(L"\\\\", 0) == 0;
  if (!drive && !share) return path;
  const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  // A trailing separator that the caller wrote stays: it marks a folder for FindFirstFileW's
  // pattern joins and for the callers' own tests.
  if (share) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool IsLinkPath(const std::wstring& path) {
  std::wstring plain = path;
  while (plain.size() > 3 && plain.back() == L'\\') plain.pop_back();
  const DWORD attributes = ::GetFileAttributesW(LongPath(plain).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool RemoveLink(const std::wstring& path) {
  win::ScopedHandle link(
      ::CreateFileW(LongPath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!link.IsValid()) return false;
  // Only what the handle itself says is a link is deleted through it: a system that opened the
  // link's target instead would otherwise delete the target.
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!::GetFileInformationByHandleEx(link.Get(), FileAttributeTagInfo, &tag, sizeof(tag)) ||
      (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return false;
  }
  FILE_DISPOSITION_INFO disposition{TRUE};
  return ::SetFileInformationByHandle(link.Get(), FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != FALSE;
}
