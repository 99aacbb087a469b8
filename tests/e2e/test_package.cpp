#include "tests/e2e/test_package.h"

#include <shlobj.h>
#include <windows.h>

#include <stdexcept>
#include <vector>

#include "tests/e2e/machine_state.h"

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

void TestPackage::AddRecorder(const std::wstring& relativePath) const {
  CopyOrThrow(BuildFolder() + L"argument_recorder.exe", folder_ + relativePath);
}

std::vector<std::wstring> TestPackage::RecordedStarts(const std::wstring& relativePath) const {
  return RecordedStartsOf(folder_ + relativePath);
}

std::vector<std::wstring> RecordedStartsOf(const std::wstring& recorderPath) {
  return RecordedLines(recorderPath + L".log");
}

std::vector<std::wstring> RecordedParentsOf(const std::wstring& recorderPath) {
  return RecordedLines(recorderPath + L".parent.log");
}

std::vector<std::wstring> RecordedLines(const std::wstring& logPath) {
  std::vector<std::wstring> starts;
  const auto log = FileBytes(logPath);
  if (!log) return starts;
  const std::string& bytes = *log;
  std::wstring text(bytes.size(), L'\0');
  text.resize(::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                    text.data(), static_cast<int>(text.size())));
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) break;
    starts.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return starts;
}

}  // namespace e2e
