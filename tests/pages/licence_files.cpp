#include "tests/pages/licence_files.h"

#include <windows.h>

#include "util/file_bytes.h"
#include "util/folder_operations.h"

namespace testing_support {

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

LicenceFiles::LicenceFiles() : root_(TestProgramFolder() + L"EULA\\") {
  ::CreateDirectoryW(root_.c_str(), nullptr);
  ClearFolderTree(root_, nullptr, nullptr);  // what an interrupted run may have left
}

LicenceFiles::~LicenceFiles() {
  ClearFolderTree(root_, nullptr, nullptr);
  ::RemoveDirectoryW(root_.c_str());
}

void LicenceFiles::Write(const std::wstring& code, const std::vector<std::uint8_t>& bytes) {
  const std::wstring folder = root_ + code;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  WriteFileBytes(folder + L"\\Service.rtf", bytes);
}

void LicenceFiles::Write(const std::wstring& code, const std::string& bytes) {
  Write(code, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace testing_support
