// The values of section "Setup" of a settings file, read once. A run reads Setup.ini at one
// moment and hands the values on, so that every step and every record function sees the same
// file, read by the same rules: keys match without regard to letter case, a key present with
// nothing after "=" has the value "", a missing key has the caller's default.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/ini_file.h"

class SetupSettings {
 public:
  // No values: every key reads as its default.
  SetupSettings() = default;
  // The values of section "Setup" of `file`, each key once as the file's reader finds it.
  explicit SetupSettings(const ini::IniFile& file);

  // The settings of the file at `path` as it is now; nothing when it does not exist or cannot be
  // read.
  static std::optional<SetupSettings> Read(const std::wstring& path);

  std::wstring Value(std::wstring_view key, std::wstring_view defaultValue = L"") const;

 private:
  std::vector<ini::IniEntry> values_;
};
