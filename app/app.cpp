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

void TApp::Initialize(const std::wstring& executableFolder) {
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
  LoadTexts(textsFolder, Info.LanguageCode, kTextFilePrefix, kTextSheet);

  Info.ProductName = GetText(L"InstallWizard", L"ProductName");
  Paths.RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  Paths.PrivateKeyTemplate = L"Software\\%PUBLISHER\\%REG_FODLER_PROGNAME\\";
  Paths.UninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  Paths.MacroBackupDir.clear();
  Info.Version = L"V1.0";
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

std::wstring ExecutableFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      std::wstring result(path.data(), length);
      return result.substr(0, result.find_last_of(L'\\') + 1);
    }
    path.resize(path.size() * 2);
  }
}
