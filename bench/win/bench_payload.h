// The payload the install and uninstall benchmarks move: files of equal size spread over
// folders, and the bare Win32 loops that copy and delete such a tree as fast as the API allows.
#pragma once

#include <string>

namespace bench {

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
