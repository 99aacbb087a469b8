#include "app/app.h"

#include <windows.h>

#include <vector>

#include "app/setup_settings.h"
#include "core/language/language_table.h"
#include "localisation/language_choice.h"
#include "util/find_entries.h"

TApp App;

namespace {

constexpr wchar_t kTextFilePrefix[] = L"InstallWizard";
constexpr wchar_t kTextSheet[] = L"Install";

}  // namespace

TextLoadFailure TApp::Initialize(const std::wstring& executableFolder) {
  Paths.SetupIniPath = executableFolder + L"Setup.ini";
  Settings = SetupSettings::Read(Paths.SetupIniPath);
  Info.TextSection = L"InstallWizard";
  Info.Language = SystemLanguageName(L"");
  Info.LanguageCode = localisation::LanguageCodeFor(Info.Language);

  const std::wstring productFolder = Setting(L"%PROGRAM_FILES");
  std::wstring textsFolder = executableFolder + L"Texts\\";
  std::vector<std::wstring> workbooks;
  if (FindEntries(textsFolder, L".xls", workbooks) == 0) {
    // No separator between the data folder and "Forms": the setting ends with one itself.
    textsFolder = executableFolder + L"program files\\" + productFolder + L"\\" +
                  Setting(L"%PROGRAM_DATA") + L"Forms\\Texts\\";
  }
  const TextLoadFailure failure =
      Language.LoadTexts(textsFolder, Info.LanguageCode, kTextFilePrefix, kTextSheet);

  Info.ProductName = GetText(L"InstallWizard", L"ProductName");
  Paths.RunKey = kRunKeyPath;
  Paths.PrivateKeyTemplate = L"Software\\%PUBLISHER\\%REG_FODLER_PROGNAME\\";
  Paths.UninstallKey = kUninstallKeyPath;
  Paths.MacroBackupDir.clear();
  Info.Version = L"V1.0";
  return failure;
}

RunFacts TApp::Facts(prepare::RunMode mode) const {
  return {Texts(), Info.Language, Info.ProductName, mode, Info.RunState};
}

std::wstring TApp::Setting(const std::wstring& key, const std::wstring& defaultValue) const {
  if (!Settings) return defaultValue;
  return Settings->Value(key, defaultValue);
}

std::optional<std::wstring> ReadSettingAfresh(const std::wstring& key,
                                              const std::wstring& defaultValue) {
  const auto settings = SetupSettings::Read(App.Paths.SetupIniPath);
  if (!settings) return std::nullopt;
  return settings->Value(key, defaultValue);
}
