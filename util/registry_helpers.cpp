#include "util/registry_helpers.h"

#include <windows.h>

#include "core/strings/string_util.h"
#include "util/reg_key.h"

namespace {

std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

bool OpenKey(win::RegKey& key, HKEY root, const std::wstring& path, bool canCreate, REGSAM access) {
  return canCreate ? key.Create(root, path, access) : key.Open(root, path, access);
}

}  // namespace

std::wstring ExpandKeyTemplate(const ini::IniFile* settings, const std::wstring& section,
                               const std::wstring& keyTemplate, std::wstring publisher,
                               std::wstring programName, const std::wstring& programNameToken,
                               const std::wstring& publisherToken) {
  if (publisher.empty() && settings != nullptr) {
    publisher = settings->ReadString(section, publisherToken, L"");
  }
  if (programName.empty() && settings != nullptr) {
    programName = settings->ReadString(section, programNameToken, L"");
  }
  if (publisher.empty() || programName.empty()) return L"";
  // The publisher goes in first, so a program-name token inside it is replaced too.
  return strings::ReplaceAll(strings::ReplaceAll(keyTemplate, publisherToken, publisher),
                             programNameToken, programName);
}

void DeleteMachineKey(const std::wstring& parent, bool canCreate, const std::wstring& key) {
  const std::wstring path = WithoutTrailingSeparators(key);
  if (path.empty()) return;
  const std::wstring parentPath = WithoutTrailingSeparators(parent);
  // A key that is already gone, or will not go, is passed over; RegKey logs the failure.
  if (parentPath.empty()) {
    (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, path);
    return;
  }
  win::RegKey parentKey;
  if (OpenKey(parentKey, HKEY_LOCAL_MACHINE, parentPath, canCreate, KEY_WRITE)) {
    (void)parentKey.DeleteKeyTree(path);
  }
}

void DeleteUserValue(const std::wstring& key, bool canCreate, const std::wstring& name) {
  if (name.empty()) return;
  win::RegKey userKey;
  // An absent value is passed over, as one that will not go; RegKey logs the failure.
  if (OpenKey(userKey, HKEY_CURRENT_USER, key, canCreate, KEY_WRITE)) {
    (void)userKey.DeleteValue(name);
  }
}

std::wstring ReadMachineString(const std::wstring& name, bool canCreate, const std::wstring& key) {
  win::RegKey machineKey;
  if (!OpenKey(machineKey, HKEY_LOCAL_MACHINE, key, canCreate, KEY_READ)) return L"";
  return machineKey.ReadString(name).value_or(L"");
}
