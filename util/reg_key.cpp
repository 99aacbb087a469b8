#include "util/reg_key.h"

#include <utility>

#include "util/setup_log.h"

namespace win {
namespace {

std::wstring RootName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return L"HKEY_LOCAL_MACHINE";
  if (root == HKEY_CURRENT_USER) return L"HKEY_CURRENT_USER";
  if (root == HKEY_CLASSES_ROOT) return L"HKEY_CLASSES_ROOT";
  if (root == HKEY_USERS) return L"HKEY_USERS";
  return L"(key)";
}

// `what` is the object and what was done to it ("value written", "key deleted").
void LogRegistry(const std::wstring& what, const std::wstring& name, LSTATUS status) {
  if (!SetupLogOpen()) return;
  if (status == ERROR_SUCCESS) {
    LogLine(L"registry " + what + L": " + name);
  } else {
    LogLine(L"registry " + what + L" failed (error " + std::to_wstring(status) + L"): " + name);
  }
}

// A deletion of what is not there leaves the registry as asked: the log says so, not "failed".
bool LogDeletion(const std::wstring& object, const std::wstring& name, LSTATUS status) {
  if (status == ERROR_FILE_NOT_FOUND) {
    if (SetupLogOpen()) LogLine(L"registry " + object + L" not there to delete: " + name);
  } else {
    LogRegistry(object + L" deleted", name, status);
  }
  return status == ERROR_SUCCESS;
}

// The registry takes names up to their first NUL: a name holding one inside (from a settings file
// or a stored value) would reach a shorter name, such as a parent of the key meant.
bool HoldsNul(const std::wstring& name) {
  return name.find(L'\0') != std::wstring::npos;
}

}  // namespace

RegKey::RegKey(RegKey&& other) noexcept
    : key_(std::exchange(other.key_, nullptr)), logName_(std::move(other.logName_)) {}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = std::exchange(other.key_, nullptr);
    logName_ = std::move(other.logName_);
  }
  return *this;
}

RegKey::~RegKey() {
  Close();
}

bool RegKey::Open(HKEY root, const std::wstring& path, REGSAM access) {
  Close();
  if (HoldsNul(path)) return false;
  logName_ = RootName(root) + L"\\" + path;
  return ::RegOpenKeyExW(root, path.c_str(), 0, access, &key_) == ERROR_SUCCESS ||
         (key_ = nullptr, false);
}

bool RegKey::Create(HKEY root, const std::wstring& path, REGSAM access) {
  Close();
  if (HoldsNul(path)) return false;
  logName_ = RootName(root) + L"\\" + path;
  const LSTATUS status = ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           access, nullptr, &key_, nullptr);
  const bool created = status == ERROR_SUCCESS;
  if (!created) key_ = nullptr;
  LogRegistry(L"key opened for writing", logName_, status);
  return created;
}

void RegKey::Close() {
  if (key_ != nullptr) ::RegCloseKey(std::exchange(key_, nullptr));
}

std::optional<std::wstring> RegKey::ReadString(const std::wstring& name) const {
  if (key_ == nullptr || HoldsNul(name)) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  // The stored data need not end with a NUL; allocate one character more and trim afterwards.
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(bytes / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

bool RegKey::WriteString(const std::wstring& name, const std::wstring& value) const {
  if (key_ == nullptr || HoldsNul(name)) return false;
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const LSTATUS status = ::RegSetValueExW(key_, name.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  LogRegistry(L"value written", logName_ + L"\\" + name + L" = " + value, status);
  return status == ERROR_SUCCESS;
}

bool RegKey::WriteDword(const std::wstring& name, DWORD value) const {
  if (key_ == nullptr || HoldsNul(name)) return false;
  const LSTATUS status = ::RegSetValueExW(key_, name.c_str(), 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&value), sizeof(value));
  LogRegistry(L"value written",
              logName_ + L"\\" + name + L" = " + std::to_wstring(value) + L" (DWORD)", status);
  return status == ERROR_SUCCESS;
}

std::optional<std::wstring> RegKey::ReadMultiStringData(const std::wstring& name) const {
  if (key_ == nullptr || HoldsNul(name)) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_MULTI_SZ) {
    return std::nullopt;
  }
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(bytes / sizeof(wchar_t));
  return data;
}

bool RegKey::WriteMultiStringData(const std::wstring& name, const std::wstring& data) const {
  if (key_ == nullptr || HoldsNul(name)) return false;
  const LSTATUS status = ::RegSetValueExW(key_, name.c_str(), 0, REG_MULTI_SZ,
                                          reinterpret_cast<const BYTE*>(data.data()),
                                          static_cast<DWORD>(data.size() * sizeof(wchar_t)));
  LogRegistry(L"value written", logName_ + L"\\" + name + L" (REG_MULTI_SZ)", status);
  return status == ERROR_SUCCESS;
}

std::optional<DWORD> RegKey::ReadDword(const std::wstring& name) const {
  if (key_ == nullptr || HoldsNul(name)) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  if (::RegQueryValueExW(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &bytes) != ERROR_SUCCESS ||
      type != REG_DWORD || bytes != sizeof(value)) {
    return std::nullopt;
  }
  return value;
}

bool RegKey::DeleteValue(const std::wstring& name) const {
  if (key_ == nullptr || HoldsNul(name)) return false;
  return LogDeletion(L"value", logName_ + L"\\" + name, ::RegDeleteValueW(key_, name.c_str()));
}

bool RegKey::HasValue(const std::wstring& name) const {
  return key_ != nullptr && !HoldsNul(name) &&
         ::RegQueryValueExW(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
             ERROR_SUCCESS;
}

std::vector<std::wstring> RegKey::SubKeyNames() const {
  std::vector<std::wstring> names;
  if (key_ == nullptr) return names;
  wchar_t name[256];  // the longest key name the registry allows is 255 characters
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(std::size(name));
    if (::RegEnumKeyExW(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  return names;
}

bool RegKey::DeleteKeyTree(const std::wstring& path) const {
  // RegDeleteTreeW deletes the named subkey itself after its content.
  if (key_ == nullptr || path.empty() || HoldsNul(path)) return false;
  return LogDeletion(L"key", logName_ + L"\\" + path, ::RegDeleteTreeW(key_, path.c_str()));
}

bool RegKey::Exists(HKEY root, const std::wstring& path) {
  RegKey key;
  return key.Open(root, path, KEY_READ);
}

bool RegKey::DeleteTree(HKEY root, const std::wstring& path) {
  if (path.empty() || HoldsNul(path)) return false;
  return LogDeletion(L"key", RootName(root) + L"\\" + path, ::RegDeleteTreeW(root, path.c_str()));
}

}  // namespace win
