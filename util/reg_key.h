// An open registry key that closes itself. Access is KEY_READ or KEY_WRITE without a view flag,
// so a 32-bit program works in the 32-bit view as every earlier release of the product did.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace win {

class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept;
  RegKey& operator=(RegKey&& other) noexcept;
  ~RegKey();

  // Opens an existing key. Returns false (and stays closed) when it cannot be opened.
  bool Open(HKEY root, const std::wstring& path, REGSAM access);
  // Opens the key, creating it and its missing parents first.
  bool Create(HKEY root, const std::wstring& path, REGSAM access = KEY_WRITE);
  void Close();
  bool IsOpen() const { return key_ != nullptr; }

  // The value as text (REG_SZ, REG_EXPAND_SZ unexpanded), or nothing when absent or not text.
  std::optional<std::wstring> ReadString(const std::wstring& name) const;
  bool WriteString(const std::wstring& name, const std::wstring& value) const;
  bool WriteDword(const std::wstring& name, DWORD value) const;
  // The value as a number (REG_DWORD), or nothing when absent or of another type.
  std::optional<DWORD> ReadDword(const std::wstring& name) const;
  bool DeleteValue(const std::wstring& name) const;
  bool HasValue(const std::wstring& name) const;
  std::vector<std::wstring> SubKeyNames() const;
  // Deletes the subkey `path` of this key with all its subkeys and values. An empty path is
  // refused: it would name this key itself.
  bool DeleteKeyTree(const std::wstring& path) const;

  static bool Exists(HKEY root, const std::wstring& path);
  // Deletes the key with all its subkeys and values. An empty path is refused: it would name the
  // root itself.
  static bool DeleteTree(HKEY root, const std::wstring& path);

 private:
  HKEY key_ = nullptr;
  std::wstring logName_;  // root and path, for the log
};

}  // namespace win
