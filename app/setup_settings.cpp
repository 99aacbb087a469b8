#include "app/setup_settings.h"

#include "core/strings/string_util.h"
#include "util/ini_file_io.h"

namespace {

constexpr wchar_t kSetupSection[] = L"Setup";

}  // namespace

SetupSettings::SetupSettings(const ini::IniFile& file) {
  for (const auto& key : file.KeyNames(kSetupSection)) {
    values_.push_back({key, file.ReadString(kSetupSection, key, L"")});
  }
}

std::optional<SetupSettings> SetupSettings::Read(const std::wstring& path) {
  const auto file = ReadIniFile(path);
  if (!file) return std::nullopt;
  return SetupSettings(*file);
}

std::wstring SetupSettings::Value(std::wstring_view key, std::wstring_view defaultValue) const {
  for (const auto& value : values_) {
    if (strings::EqualsIgnoreCase(value.key, key)) return value.value;
  }
  return std::wstring(defaultValue);
}
