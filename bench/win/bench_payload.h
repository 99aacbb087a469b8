// The payload the install and uninstall benchmarks move: files of equal size spread over
// folders, and the bare Win32 loops that copy and delete such a tree as fast as the API allows.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Calls visit(name, isFolder) for every entry of `folder` but "." and "..", in the order
// FindFirstFileW and FindNextFileW give them.
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW data;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    visit(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (::FindNextFileW(search, &data));
  ::FindClose(search);
}

struct PayloadShape {
  int files = 2000;
  int folders = 20;
  int bytesPerFile = 100'000;  // 2,000 files of 100 kB: 200 MB
};

// Writes the files into `folder` (made with its parents as needed) as Folder<i>\file<n>.dat.
void MakePayload(const std::wstring& folder, const PayloadShape& shape);

// Copies every file of `source` into `target` with CopyFileW, making the folders on the way.
void BareCopyTree(const std::wstring& source, const std::wstring& target);

// Deletes everything below `folder` with DeleteFileW and RemoveDirectoryW, then the folder.
void BareDeleteTree(const std::wstring& folder);

}  // namespace bench
