#include "tools/package_check/settings_checks.h"

#include <algorithm>

#include "core/folders/csidl_names.h"
#include "core/folders/name_rules.h"
#include "core/strings/string_util.h"
#include "core/version/version_compare.h"
#include "tools/package_check/known_keys.h"
#include "tools/package_check/nearest_name.h"

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

void CheckKeyNames(const PackageSettings& settings, Findings& findings) {
  for (const std::wstring& key : settings.KeyNames()) {
    const bool known = std::any_of(
        std::begin(kKnownSetupKeys), std::end(kKnownSetupKeys),
        [&](std::wstring_view knownKey) { return strings::EqualsIgnoreCase(key, knownKey); });
    if (known) continue;
    findings.Warn(std::wstring(kSetupIni), L"key " + key,
                  L"unknown: Setup.exe reads no such key and ignores it; the nearest key it "
                  L"knows is " +
                      NearestName(key, kKnownSetupKeys));
  }
}

// The parts of a version made of dotted decimal numbers ("1.9.3"); nothing otherwise.
std::optional<std::vector<std::wstring>> DottedNumbers(std::wstring_view version) {
  std::vector<std::wstring> parts(1);
  for (const wchar_t c : version) {
    if (c == L'.') {
      parts.emplace_back();
    } else if (c >= L'0' && c <= L'9') {
      parts.back() += c;
    } else {
      return std::nullopt;
    }
  }
  if (std::any_of(parts.begin(), parts.end(), [](const auto& part) { return part.empty(); })) {
    return std::nullopt;
  }
  return parts;
}

// The number one higher, in decimal digits ("9" -> "10", "09" -> "10").
std::wstring NextNumber(std::wstring digits) {
  std::size_t at = digits.size();
  while (at > 0) {
    --at;
    if (digits[at] != L'9') {
      ++digits[at];
      return digits;
    }
    digits[at] = L'0';
  }
  return L"1" + digits;
}

constexpr std::wstring_view kHowVersionsCompare =
    L"Setup.exe compares versions as text, character by character from the left "
    L"(\"1.9\" is greater than \"1.10\", \"2.0\" smaller than \"2.0.1\")";

}  // namespace

void CheckVersionOrder(std::wstring_view version, Findings& findings) {
  const std::wstring where = L"key %PROGRAM_VERSION";
  const std::wstring file(kSetupIni);
  if (version.empty()) return;  // the needed keys are checked on their own
  const auto parts = DottedNumbers(version);
  if (!parts) {
    findings.Warn(file, where,
                  L"\"" + std::wstring(version) + L"\" is not dotted numbers: " +
                      std::wstring(kHowVersionsCompare) +
                      L"; any text works, but later versions must compare greater as text");
    return;
  }
  // The next version of each part, the parts after it reset ("1.9.3" -> "1.10.0").
  for (std::size_t i = 0; i < parts->size(); ++i) {
    std::wstring next;
    for (std::size_t j = 0; j < parts->size(); ++j) {
      const std::wstring& part = (*parts)[j];
      const std::wstring nextPart =
          j < i ? part : (j == i ? NextNumber(part) : std::wstring(part.size(), L'0'));
      next += (j == 0 ? L"" : L".") + nextPart;
    }
    if (version::CompareVersionText(next, version) < 0) {
      findings.Warn(file, where,
                    L"\"" + std::wstring(version) + L"\" -> \"" + next + L"\": " +
                        std::wstring(kHowVersionsCompare) + L", so \"" + next +
                        L"\" would be taken for an older version and refused as a downgrade; "
                        L"give each part as many digits as it will ever need (\"1.09\")");
      return;
    }
  }
}

std::wstring PackageSettings::Value(std::wstring_view key) const {
  const std::wstring_view fallback = key == L"%INSTALL_BACKUP_DIR" ? kBackupDefault : L"";
  return ini_ ? ini_->ReadString(kSection, key, fallback) : std::wstring(fallback);
}

bool PackageSettings::Has(std::wstring_view key) const {
  return ini_ && ini_->ReadString(kSection, key, kAbsent) != kAbsent;
}

std::vector<std::wstring> PackageSettings::KeyNames() const {
  return ini_ ? ini_->KeyNames(kSection) : std::vector<std::wstring>();
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
  CheckKeyNames(settings, findings);
  CheckVersionOrder(settings.Value(L"%PROGRAM_VERSION"), findings);
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
