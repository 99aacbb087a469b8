#include "tests/util/test_files.h"

#include <shellapi.h>

#include <vector>

namespace test_files {

std::wstring FreshFolder(const std::wstring& name) {
  const std::wstring folder = L"C:\\util-tests\\" + name;
  // SHFileOperationW wants a list ended by two NULs.
  std::wstring from = folder;
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&operation);
  MakeFolders(folder);
  return folder + L"\\";
}

void MakeFolders(const std::wstring& path) {
  ::SHCreateDirectoryExW(nullptr, strings::WithoutTrailingSeparator(path).c_str(), nullptr);
}

void WriteText(const std::wstring& path, const std::string& text) {
  MakeFolders(path.substr(0, path.rfind(L'\\')));
  WriteFileBytes(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::optional<std::string> ReadText(const std::wstring& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

DWORD Attributes(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str());
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH * 2);
  const DWORD length =
      ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::wstring path(buffer.data(), length);
  return path.substr(0, path.rfind(L'\\') + 1);
}

}  // namespace test_files
