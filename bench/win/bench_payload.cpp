#include "bench/win/bench_payload.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

namespace bench {

void MakePayload(const std::wstring& folder, const PayloadShape& shape) {
  ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  for (int f = 0; f < shape.folders; ++f) {
    ::CreateDirectoryW((folder + L"\\Folder" + std::to_wstring(f)).c_str(), nullptr);
  }
  std::vector<char> bytes(shape.bytesPerFile);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 1);
  for (int i = 0; i < shape.files; ++i) {
    const std::wstring path = folder + L"\\Folder" + std::to_wstring(i % shape.folders) +
                              L"\\file" + std::to_wstring(i) + L".dat";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
  }
}

void BareCopyTree(const std::wstring& source, const std::wstring& target) {
  ::CreateDirectoryW(target.c_str(), nullptr);
  ForEachEntry(source, [&](const std::wstring& name, bool isFolder) {
    if (isFolder) {
      BareCopyTree(source + L"\\" + name, target + L"\\" + name);
    } else {
      ::CopyFileW((source + L"\\" + name).c_str(), (target + L"\\" + name).c_str(), FALSE);
    }
  });
}

void BareDeleteTree(const std::wstring& folder) {
  ForEachEntry(folder, [&](const std::wstring& name, bool isFolder) {
    const std::wstring path = folder + L"\\" + name;
    if (isFolder) {
      BareDeleteTree(path);
    } else {
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(path.c_str());
    }
  });
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace bench
