#include "util/held_folder.h"

#include <winternl.h>

#include <cstddef>
#include <string_view>

#include "core/strings/string_util.h"
#include "util/folder_walk.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Large enough for a few hundred entries per call.
constexpr std::size_t kListBufferBytes = 64 * 1024;
constexpr ULONG kCaseInsensitive = 0x40;  // OBJ_CASE_INSENSITIVE

bool MarkForDeletion(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != FALSE;
}

// Opens the entry `name` of the folder `folder` itself, relative to the folder's handle.
win::ScopedHandle OpenRelative(HANDLE folder, const std::wstring& name, ACCESS_MASK access) {
  UNICODE_STRING objectName;
  objectName.Buffer = const_cast<wchar_t*>(name.c_str());
  objectName.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  objectName.MaximumLength = objectName.Length;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &objectName, kCaseInsensitive, folder, nullptr);
  IO_STATUS_BLOCK status{};
  HANDLE handle = nullptr;
  const NTSTATUS result = ::NtOpenFile(
      &handle, access | SYNCHRONIZE | FILE_READ_ATTRIBUTES, &attributes, &status, kShareAll,
      FILE_OPEN_REPARSE_POINT | FILE_OPEN_FOR_BACKUP_INTENT | FILE_SYNCHRONOUS_IO_NONALERT);
  if (result < 0) {
    ::SetLastError(::RtlNtStatusToDosError(result));
    return {};
  }
  return win::ScopedHandle(handle);
}

std::wstring WithoutSeparator(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

// The path Windows gives for an open entry, links resolved, in the "\\?\" form; "" when unknown.
std::wstring FinalPathOf(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length + 1);
  }
}

// Whether the folder `handle` is open on is `root` or lies below it, by the final paths Windows
// gives for both: a link on the way to either is resolved.
bool FinalPathIsAtOrBelow(HANDLE handle, const std::wstring& root) {
  const win::ScopedHandle rootHandle = OpenEntryItself(root, 0);
  if (!rootHandle.IsValid()) return false;
  const std::wstring inner = WithoutSeparator(FinalPathOf(handle));
  const std::wstring outer = WithoutSeparator(FinalPathOf(rootHandle.Get()));
  return !outer.empty() && inner.size() >= outer.size() &&
         strings::EqualsIgnoreCase(std::wstring_view(inner).substr(0, outer.size()), outer) &&
         (inner.size() == outer.size() || inner[outer.size()] == L'\\');
}

}  // namespace

win::ScopedHandle OpenEntryItself(const std::wstring& path, DWORD access) {
  const std::wstring name = LongPath(WithoutSeparator(path));
  win::ScopedHandle handle(
      ::CreateFileW(name.c_str(), access | FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  // Some systems (Wine) open what a link points to whatever the flag says; the name still tells.
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return {};
  return handle;
}

std::optional<HandleFacts> FactsOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  HandleFacts facts;
  facts.attributes = info.dwFileAttributes;
  facts.links = info.nNumberOfLinks;
  facts.fileId = static_cast<LONGLONG>((static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) |
                                       info.nFileIndexLow);
  return facts;
}

std::optional<HeldFolder> HeldFolder::Open(const std::wstring& path, DWORD access) {
  win::ScopedHandle handle = OpenEntryItself(path, access | FILE_LIST_DIRECTORY | SYNCHRONIZE);
  if (!handle.IsValid()) return std::nullopt;
  const std::optional<HandleFacts> facts = FactsOf(handle.Get());
  if (!facts || facts->IsLink() || !facts->IsFolder()) return std::nullopt;
  return HeldFolder(WithoutSeparator(path), std::move(handle));
}

std::vector<HeldEntry> HeldFolder::List() const {
  std::vector<HeldEntry> entries;
  // 8-byte aligned, as the records inside are.
  std::vector<LONGLONG> buffer(kListBufferBytes / sizeof(LONGLONG));
  FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
  while (::GetFileInformationByHandleEx(handle_.Get(), request, buffer.data(), kListBufferBytes)) {
    request = FileIdBothDirectoryInfo;
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
    for (;;) {
      const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
      const std::wstring_view name(record->FileName, record->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") {
        entries.push_back({std::wstring(name), record->FileAttributes,
                           static_cast<ULONGLONG>(record->EndOfFile.QuadPart),
                           record->FileId.QuadPart});
      }
      if (record->NextEntryOffset == 0) break;
      bytes += record->NextEntryOffset;
    }
  }
  return entries;
}

win::ScopedHandle HeldFolder::OpenEntry(const HeldEntry& entry, DWORD access,
                                        HandleFacts* facts) const {
  if (entry.IsLink()) return {};
  win::ScopedHandle handle = OpenRelative(handle_.Get(), entry.name, access);
  if (!handle.IsValid()) return {};
  const std::optional<HandleFacts> found = FactsOf(handle.Get());
  // An id of 0 is one the file system does not give: then the entry cannot be told apart.
  if (!found || found->IsLink() || entry.fileId == 0 || found->fileId != entry.fileId) return {};
  if (facts != nullptr) *facts = *found;
  return handle;
}

std::optional<HeldFolder> HeldFolder::OpenFolder(const HeldEntry& entry, DWORD access) const {
  if (!entry.IsFolder()) return std::nullopt;
  win::ScopedHandle handle = OpenEntry(entry, access | FILE_LIST_DIRECTORY | SYNCHRONIZE);
  if (!handle.IsValid()) return std::nullopt;
  return HeldFolder(path_ + L"\\" + entry.name, std::move(handle));
}

bool HeldFolder::DeleteFileEntry(const HeldEntry& entry, bool evenReadOnly) const {
  win::ScopedHandle file = OpenRelative(handle_.Get(), entry.name, DELETE);
  if (!file.IsValid()) return false;
  if (MarkForDeletion(file.Get())) return true;
  if (!evenReadOnly || (entry.attributes & FILE_ATTRIBUTE_READONLY) == 0) return false;
  // Only a name of this file's own: the attributes belong to the data every hard link shares.
  BY_HANDLE_FILE_INFORMATION info{};
  file = OpenRelative(handle_.Get(), entry.name, DELETE | FILE_WRITE_ATTRIBUTES);
  if (!file.IsValid() || !::GetFileInformationByHandle(file.Get(), &info) ||
      info.nNumberOfLinks > 1) {
    return false;
  }
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  return ::SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof(basic)) &&
         MarkForDeletion(file.Get());
}

bool HeldFolder::DeleteFileInside(const std::wstring& path, const std::wstring& root) {
  const std::size_t separator = path.find_last_of(L'\\');
  if (separator == std::wstring::npos) return false;
  const std::optional<HeldFolder> folder = Open(path.substr(0, separator), 0);
  if (!folder || !FinalPathIsAtOrBelow(folder->Get(), root)) return false;
  HeldEntry entry;
  entry.name = path.substr(separator + 1);
  return !entry.name.empty() && folder->DeleteFileEntry(entry, false);
}

bool HeldFolder::DeleteWhenClosed() const {
  return MarkForDeletion(handle_.Get());
}
