// Setup.ini: the keys each mode needs, and values that cannot work.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/ini_file.h"
#include "core/prepare/name_settings.h"
#include "tools/package_check/findings.h"
#include "tools/package_check/package_folder.h"

namespace package_check {

inline constexpr std::wstring_view kSetupIni = L"Setup.ini";

// The values of section "Setup" as Setup.exe reads them: "" for a missing file or key, except
// %INSTALL_BACKUP_DIR, whose default is "CSIDL_COMMON_TEMPLATES".
class PackageSettings {
 public:
  explicit PackageSettings(std::optional<ini::IniFile> ini) : ini_(std::move(ini)) {}
  bool Exists() const { return ini_.has_value(); }
  std::wstring Value(std::wstring_view key) const;
  bool Has(std::wstring_view key) const;
  // The keys of section [Setup] in file order.
  std::vector<std::wstring> KeyNames() const;

 private:
  std::optional<ini::IniFile> ini_;
};

PackageSettings ReadPackageSettings(const PackageFolder& package);

void CheckSettings(const PackageSettings& settings, Findings& findings);

// Versions are compared as text: a warning when a likely next version ("1.9" -> "1.10") would
// compare lower than `version`, or when `version` is not dotted numbers.
void CheckVersionOrder(std::wstring_view version, Findings& findings);

// What is wrong with a value that names a folder or file: the value and the rule it breaks.
std::wstring NameBreachProblem(const prepare::NameBreach& breach);

}  // namespace package_check
