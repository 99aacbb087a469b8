#include "util/release_list_removal.h"

#include <windows.h>

#include "core/folders/release_file_lists.h"
#include "util/scoped_handle.h"
#include "util/setup_log.h"

void RemoveReleaseFileLists(const std::wstring& copyFolder) {
  WIN32_FIND_DATAW found{};
  win::ScopedFindHandle find(::FindFirstFileExW((copyFolder + L"*").c_str(), FindExInfoBasic,
                                                &found, FindExSearchNameMatch, nullptr, 0));
  if (!find) return;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    if (!folders::IsReleaseFileList(found.cFileName)) continue;
    const std::wstring path = copyFolder + found.cFileName;
    LogFileOperation(L"deleted (a list of the release, not of this copy)", path,
                     ::DeleteFileW(path.c_str()) != FALSE);
  } while (::FindNextFileW(find.Get(), &found));
}
