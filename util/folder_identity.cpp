#include "util/folder_identity.h"

#include <windows.h>

#include <vector>

#include "core/strings/case_folding.h"
#include "util/scoped_handle.h"

namespace {

struct FileId {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
};

bool ReadFileId(const std::wstring& path, FileId& id) {
  // Opening a folder needs the backup-semantics flag; no access right is asked for.
  win::ScopedHandle folder(
      ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder.IsValid()) return false;
  BY_HANDLE_FILE_INFORMATION information = {};
  if (!::GetFileInformationByHandle(folder.Get(), &information)) return false;
  id = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
  return true;
}

bool SameFileId(const std::wstring& a, const std::wstring& b) {
  FileId first;
  FileId second;
  if (!ReadFileId(a, first) || !ReadFileId(b, second)) return false;
  return first.volume == second.volume && first.indexHigh == second.indexHigh &&
         first.indexLow == second.indexLow;
}

std::wstring Folded(const std::wstring& path) {
  return strings::FoldCase(FullFolderPath(path));
}

}  // namespace

std::wstring FullFolderPath(const std::wstring& path) {
  if (path.empty()) return {};
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length =
      ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length =
        ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  }
  std::wstring full =
      length == 0 || length >= buffer.size() ? path : std::wstring(buffer.data(), length);
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return full;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
  if (a.empty() || b.empty()) return false;
  return Folded(a) == Folded(b) || SameFileId(a, b);
}

bool FolderContains(const std::wstring& outer, const std::wstring& inner) {
  if (outer.empty() || inner.empty()) return false;
  std::wstring prefix = Folded(outer);
  if (prefix.back() != L'\\') prefix += L'\\';
  const std::wstring candidate = Folded(inner);
  return candidate.size() > prefix.size() && candidate.compare(0, prefix.size(), prefix) == 0;
}

bool IsRootFolder(const std::wstring& path) {
  const std::wstring full = FullFolderPath(path);
  if (full.size() <= 3) return true;  // "", "C:", "C:\"
  if (full.rfind(L"\\\\", 0) == 0) {
    // "\\server\share" is a root; a folder needs a third component.
    size_t separators = 0;
    for (size_t i = 2; i < full.size(); ++i) separators += full[i] == L'\\' ? 1 : 0;
    return separators < 2;
  }
  return full.find(L'\\') == std::wstring::npos || full.find(L'\\') == full.size() - 1;
}
