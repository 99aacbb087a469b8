#include "tests/e2e/machine_state.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>

#include "tools/driver/driver.h"

namespace e2e {

std::optional<std::string> FileBytes(const std::wstring& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

std::vector<std::wstring> FolderNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(search, &data));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<ULONGLONG> LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

void WriteFileText(const std::wstring& path, const std::string& bytes) {
  ::SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << Narrow(path);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  ASSERT_EQ(written, bytes.size()) << Narrow(path);
}

std::optional<std::wstring> MachineValue(const std::wstring& key, const std::wstring& name) {
  return driver::ReadRegistryString(HKEY_LOCAL_MACHINE, key, name);
}

std::optional<std::wstring> RunValue(const std::wstring& name) {
  return driver::ReadRegistryString(HKEY_CURRENT_USER, kRunKey, name);
}

bool MachineKeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(opened);
  return true;
}

void WriteStringValue(HKEY root, const std::wstring& key, const std::wstring& name,
                      const std::wstring& data) {
  HKEY opened = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY,
                              nullptr, &opened, nullptr),
            ERROR_SUCCESS)
      << Narrow(key);
  ::RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(opened);
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    ::Sleep(50);
  }
  return true;
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += static_cast<char>(c);
  return narrow;
}

}  // namespace e2e
