#include "util/reg_key.h"

#include <utility>

namespace win {
namespace {

// The registry takes names up to their first NUL: a name holding one inside (from a settings file
// or a stored value) would reach a shorter name, such as a parent of the key meant.
bool HoldsNul(const std::wstring& name) {
  return name.find(L'\0') != std::wstring::npos;
}

}  // namespace

RegKey::RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = std::exchange(other.key_, nullptr);
  }
  return *this;
}

RegKey::~RegKey() {
  Close();
}

bool RegKey::Open(HKEY root, const std::wstring& path, REGSAM access) {
  Close();
  if (HoldsNul(path)) return false;
  return ::RegOpenKeyExW(root, path.c_str(), 0, access, &key_) == ERROR_SUCCESS ||
         (key_ = nullptr, false);
}

bool RegKey::Create(HKEY root, const std::wstring& path, REGSAM access) {
  Close();
  if (HoldsNul(path)) return false;
  return ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           &key_, nullptr) == ERROR_SUCCESS ||
         (key_ = nullptr, false);
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
  return ::RegSetValueExW(key_, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const std::wstring& name) const {
  return key_ != nullptr && !HoldsNul(name) &&
         ::RegDeleteValueW(key_, name.c_str()) == ERROR_SUCCESS;
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
  return key_ != nullptr && !path.empty() && !HoldsNul(path) &&
         ::RegDeleteTreeW(key_, path.c_str()) == ERROR_SUCCESS;
}

bool RegKey::Exists(HKEY root, const std::wstring& path) {
  RegKey key;
  return key.Open(root, path, KEY_READ);
}

bool RegKey::DeleteTree(HKEY root, const std::wstring& path) {
  return !path.empty() && !HoldsNul(path) && ::RegDeleteTreeW(root, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace win
