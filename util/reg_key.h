// An open registry key that closes itself; move-only. Access is KEY_READ or KEY_WRITE without a
// view flag, so a 32-bit program works in the 32-bit view as every earlier release of the product
// did.
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
  [[nodiscard]] bool Open(HKEY root, const std::wstring& path, REGSAM access);
  // Opens the key, creating it and its missing parents first. Returns false (and stays closed)
  // when it can be neither opened nor created.
  [[nodiscard]] bool Create(HKEY root, const std::wstring& path, REGSAM access = KEY_WRITE);
  void Close();
  bool IsOpen() const { return key_ != nullptr; }

  // Writes, deletions and Create log what they did, or that they failed, to the run's log.

  // The value as text (REG_SZ, REG_EXPAND_SZ unexpanded), or nothing when absent or not text.
  std::optional<std::wstring> ReadString(const std::wstring& name) const;
  // Stores `value` as REG_SZ. Returns false when the key is closed or the value was not stored.
  [[nodiscard]] bool WriteString(const std::wstring& name, const std::wstring& value) const;
  // Stores `value` as REG_DWORD. Returns false when the key is closed or the value was not stored.
  [[nodiscard]] bool WriteDword(const std::wstring& name, DWORD value) const;
  // The data of a REG_MULTI_SZ value as stored, NULs included, or nothing when absent or of
  // another type.
  std::optional<std::wstring> ReadMultiStringData(const std::wstring& name) const;
  // Stores `data` (NUL-separated strings ending with two NULs) as REG_MULTI_SZ.
  [[nodiscard]] bool WriteMultiStringData(const std::wstring& name, const std::wstring& data) const;
  // The value as a number (REG_DWORD), or nothing when absent or of another type.
  std::optional<DWORD> ReadDword(const std::wstring& name) const;
  // Returns false when the value was not deleted, an absent value included.
  [[nodiscard]] bool DeleteValue(const std::wstring& name) const;
  bool HasValue(const std::wstring& name) const;
  std::vector<std::wstring> SubKeyNames() const;
  // Deletes the subkey `path` of this key with all its subkeys and values. An empty path is
  // refused: it would name this key itself. Returns false when nothing was deleted, an absent
  // subkey included.
  [[nodiscard]] bool DeleteKeyTree(const std::wstring& path) const;

  static bool Exists(HKEY root, const std::wstring& path);
  // Deletes the key with all its subkeys and values. An empty path is refused: it would name the
  // root itself. Returns false when nothing was deleted, an absent key included.
  [[nodiscard]] static bool DeleteTree(HKEY root, const std::wstring& path);

 private:
  HKEY key_ = nullptr;
  std::wstring logName_;  // root and path, for the log
};

}  // namespace win
