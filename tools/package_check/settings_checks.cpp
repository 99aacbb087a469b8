#include "tools/package_check/settings_checks.h"

#include "core/folders/csidl_names.h"
#include "core/folders/name_rules.h"

namespace package_check {
namespace {

constexpr std::wstring_view kSection = L"Setup";
constexpr std::wstring_view kBackupDefault = L"CSIDL_COMMON_TEMPLATES";
// A value no key can hold: tells a missing key from an empty one.
constexpr std::wstring_view kAbsent = L"\n";

struct NeededKey {
  std::wstring_view key;
  std::wstring_view consequence;
};

constexpr NeededKey kNeededKeys[] = {
    {L"%PUBLISHER",
     L"the private registry key cannot be named: installing and upgrading stop with MSG_101"},
    {L"%REG_FODLER_PROGNAME",
     L"the product's registry keys cannot be named: installing and upgrading stop with MSG_101"},
    {L"%PROGRAM_FILES", L"the payload and the program folder cannot be named"},
    {L"%PROGRAM_EXEC", L"the program cannot be started, closed or given shortcuts"},
    {L"%PROGRAM_VERSION", L"versions cannot be compared and the uninstall entry gets no version"},
    {L"%PROGRAM_FILES_OLD",
     L"the old program folder becomes the product folder: the whole payload is copied into it"},
    {L"%UPDATER_DIR",
     L"the updater folder becomes the product folder: the whole payload is copied into it"},
};

void CheckFolderPrefix(const PackageSettings& settings, std::wstring_view key, Findings& findings) {
  const std::wstring value = settings.Value(key);
  if (!value.empty() && value.back() != L'\\') {
    findings.Add(std::wstring(kSetupIni), L"key " + std::wstring(key),
                 L"\"" + value + L"\" must end in \"\\\": names are joined to it directly");
  }
}

}  // namespace

std::wstring PackageSettings::Value(std::wstring_view key) const {
  const std::wstring_view fallback = key == L"%INSTALL_BACKUP_DIR" ? kBackupDefault : L"";
  return ini_ ? ini_->ReadString(kSection, key, fallback) : std::wstring(fallback);
}

bool PackageSettings::Has(std::wstring_view key) const {
  return ini_ && ini_->ReadString(kSection, key, kAbsent) != kAbsent;
}

PackageSettings ReadPackageSettings(const PackageFolder& package) {
  const auto bytes = package.ReadFile(kSetupIni);
  if (!bytes) return PackageSettings(std::nullopt);
  return PackageSettings(ini::IniFile::FromBytes(*bytes));
}

void CheckSettings(const PackageSettings& settings, Findings& findings) {
  const std::wstring file(kSetupIni);
  if (!settings.Exists()) {
    findings.Add(file, L"", L"missing: installing stops with MSG_101, nothing can be named");
    return;
  }
  for (const NeededKey& needed : kNeededKeys) {
    const std::wstring where = L"key " + std::wstring(needed.key);
    if (!settings.Has(needed.key)) {
      findings.Add(file, where, L"missing in section [Setup]: " + std::wstring(needed.consequence));
    } else if (settings.Value(needed.key).empty()) {
      findings.Add(file, where, L"empty: " + std::wstring(needed.consequence));
    }
  }
  const std::wstring backup = settings.Value(L"%INSTALL_BACKUP_DIR");
  if (!folders::IsCsidlName(backup) || backup.starts_with(L"CSIDL_FLAG_")) {
    findings.Add(file, L"key %INSTALL_BACKUP_DIR",
                 L"\"" + backup +
                     L"\" is not the name of a special folder (CSIDL_...) "
                     L"that Setup.exe knows: the uninstaller copy has no place");
  }
  CheckFolderPrefix(settings, L"%PROGRAM_DATA", findings);
  CheckFolderPrefix(settings, L"%MANUAL_DIR", findings);
  // The workbook's names are checked with its texts; a plain name stands in for them here.
  const auto setting = [&](std::wstring_view key) { return settings.Value(key); };
  const auto anyText = [](std::wstring_view) { return std::wstring(L"name"); };
  for (const prepare::NameBreach& breach : prepare::AllNameBreaches(setting, anyText)) {
    findings.Add(file, L"key " + breach.key, NameBreachProblem(breach));
  }
}

std::wstring NameBreachProblem(const prepare::NameBreach& breach) {
  return L"\"" + breach.value + L"\" " + std::wstring(folders::NameProblemText(breach.problem)) +
         L": it names a folder or file, so Setup.exe refuses the package with MSG_101";
}

}  // namespace package_check
