#include "tests/catalogue/prefix_snapshot.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

namespace catalogue {
namespace {

std::wstring Folded(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

// What Wine itself writes while the program runs: its own settings, and the desktop files and
// menu entries its menu builder makes for every shortcut created (and leaves when one goes).
bool IsWineBookkeeping(const std::wstring& name) {
  const std::wstring folded = Folded(name);
  return folded.starts_with(L"hkcu\\software\\wine\\") ||
         (folded.starts_with(L"c:\\users\\") && folded.ends_with(L".desktop"));
}

// Whether `name` is `prefix` or lies below it.
bool IsBelow(const std::wstring& name, const std::wstring& prefix) {
  const std::wstring folded = Folded(name);
  const std::wstring start = Folded(prefix);
  if (folded.compare(0, start.size(), start) != 0) return false;
  return folded.size() == start.size() || start.back() == L'\\' || folded[start.size()] == L'\\';
}

void AddFiles(const std::wstring& folder, PrefixSnapshot& snapshot) {
  WIN32_FIND_DATAW data;
  HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      snapshot.entries[path] = L"<folder>";
      // Links lead elsewhere (the prefix's user folders point into the home folder).
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) AddFiles(path + L"\\", snapshot);
      continue;
    }
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const ULONGLONG time = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                           data.ftLastWriteTime.dwLowDateTime;
    snapshot.entries[path] = std::to_wstring(size) + L" bytes, written " + std::to_wstring(time) +
                             L", attributes " + std::to_wstring(data.dwFileAttributes);
  } while (::FindNextFileW(search, &data));
  ::FindClose(search);
}

std::wstring ValueText(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  std::wstring text = L"type " + std::to_wstring(type) + L":";
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
    text.append(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    return text;
  }
  static constexpr wchar_t kHex[] = L"0123456789abcdef";
  for (DWORD i = 0; i < size; ++i) {
    text += kHex[data[i] >> 4];
    text += kHex[data[i] & 15];
  }
  return text;
}

// The shell's registrations of file types and COM classes: tens of thousands of keys, which take
// most of the time of a snapshot, and nothing the program writes (it registers neither).
const std::wstring kClassesKey = L"hklm\\software\\classes";

void AddKey(HKEY key, const std::wstring& name, PrefixSnapshot& snapshot) {
  snapshot.entries[name] = L"<key>";
  DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValueName = 0, maxData = 0;
  if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &values,
                         &maxValueName, &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
    return;
  }
  std::vector<wchar_t> valueName(maxValueName + 2);
  std::vector<BYTE> data(maxData + 2);
  for (DWORD i = 0; i < values; ++i) {
    DWORD nameLength = static_cast<DWORD>(valueName.size());
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (::RegEnumValueW(key, i, valueName.data(), &nameLength, nullptr, &type, data.data(),
                        &size) != ERROR_SUCCESS) {
      continue;
    }
    snapshot.entries[name + L"\\@" + std::wstring(valueName.data(), nameLength)] =
        ValueText(type, data, size);
  }
  std::vector<wchar_t> subKeyName(maxSubKey + 2);
  for (DWORD i = 0; i < subKeys; ++i) {
    DWORD length = static_cast<DWORD>(subKeyName.size());
    if (::RegEnumKeyExW(key, i, subKeyName.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      continue;
    }
    const std::wstring subName(subKeyName.data(), length);
    if (Folded(name + L"\\" + subName) == kClassesKey) continue;
    HKEY sub = nullptr;
    if (::RegOpenKeyExW(key, subName.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    AddKey(sub, name + L"\\" + subName, snapshot);
    ::RegCloseKey(sub);
  }
}

void AddRegistry(HKEY root, const std::wstring& rootName, PrefixSnapshot& snapshot) {
  HKEY software = nullptr;
  if (::RegOpenKeyExW(root, L"Software", 0, KEY_READ, &software) != ERROR_SUCCESS) return;
  AddKey(software, rootName + L"\\Software", snapshot);
  ::RegCloseKey(software);
}

}  // namespace

PrefixSnapshot TakeSnapshot() {
  PrefixSnapshot snapshot;
  AddFiles(L"C:\\", snapshot);
  AddRegistry(HKEY_LOCAL_MACHINE, L"HKLM", snapshot);
  AddRegistry(HKEY_CURRENT_USER, L"HKCU", snapshot);
  return snapshot;
}

std::vector<std::wstring> Differences(const PrefixSnapshot& before, const PrefixSnapshot& after,
                                      const std::vector<std::wstring>& allowed) {
  const auto isAllowed = [&](const std::wstring& name) {
    return IsWineBookkeeping(name) ||
           std::any_of(allowed.begin(), allowed.end(),
                       [&](const std::wstring& prefix) { return IsBelow(name, prefix); });
  };
  std::vector<std::wstring> differences;
  for (const auto& [name, state] : before.entries) {
    if (isAllowed(name)) continue;
    const auto found = after.entries.find(name);
    if (found == after.entries.end()) {
      differences.push_back(L"- " + name);
    } else if (found->second != state) {
      differences.push_back(L"~ " + name + L" (" + state + L" -> " + found->second + L")");
    }
  }
  for (const auto& [name, state] : after.entries) {
    if (!isAllowed(name) && before.entries.count(name) == 0) differences.push_back(L"+ " + name);
  }
  return differences;
}

}  // namespace catalogue
