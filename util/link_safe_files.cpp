#include "util/link_safe_files.h"

#include <optional>

#include "core/strings/string_util.h"
#include "util/folder_walk.h"
#include "util/held_folder.h"

bool RemoveFileName(const std::wstring& path) {
  const std::wstring name = LongPath(path);
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // Deleting a link by its name removes the link, never its target.
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveLink(path)
                                                   : ::DeleteFileW(name.c_str()) != FALSE;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  // Through a handle on the name itself: only this name of the data goes.
  const win::ScopedHandle file = OpenEntryItself(path, DELETE);
  if (!file.IsValid()) return false;
  FILE_DISPOSITION_INFO disposition{TRUE};
  return ::SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != FALSE;
}

win::ScopedHandle CreateFileAfresh(const std::wstring& path, DWORD share) {
  if (!RemoveFileName(path)) return {};
  return win::ScopedHandle(::CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, share, nullptr,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool PassesThroughLink(const std::wstring& path, const std::wstring& root) {
  const std::wstring top = strings::WithoutTrailingSeparator(root);
  std::wstring folder = strings::WithoutTrailingSeparator(path);
  for (std::size_t separator = folder.rfind(L'\\');
       separator != std::wstring::npos && separator > top.size(); separator = folder.rfind(L'\\')) {
    folder.resize(separator);
    if (IsLinkPath(folder)) return true;
  }
  return false;
}
