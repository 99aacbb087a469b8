#include "tests/e2e/test_package.h"

#include <shlobj.h>
#include <windows.h>

#include <stdexcept>
#include <vector>

namespace e2e {
namespace {

void CreateParents(const std::wstring& filePath) {
  const std::wstring folder = filePath.substr(0, filePath.find_last_of(L'\\'));
  ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
}

void CopyOrThrow(const std::wstring& from, const std::wstring& to) {
  CreateParents(to);
  if (!::CopyFileW(from.c_str(), to.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy a file into the test package");
  }
}

}  // namespace

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

TestPackage::TestPackage(const std::wstring& name) : folder_(L"C:\\packages\\" + name + L"\\") {
  CopyOrThrow(BuildFolder() + L"Setup.exe", SetupPath());
}

void TestPackage::AddTestData(const std::wstring& dataName,
                              const std::wstring& relativePath) const {
  CopyOrThrow(BuildFolder() + L"testdata\\" + dataName, folder_ + relativePath);
}

void TestPackage::WriteText(const std::wstring& relativePath, const std::string& utf8) const {
  const std::wstring path = folder_ + relativePath;
  CreateParents(path);
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a test file");
  DWORD written = 0;
  ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace e2e
