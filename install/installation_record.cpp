#include "install/installation_record.h"

#include <windows.h>

#include "app/app.h"
#include "core/strings/string_util.h"
#include "install/install_thread.h"
#include "record/deployment_values.h"
#include "record/record_values.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "util/ini_file_io.h"
#include "util/reg_key.h"

namespace {

constexpr wchar_t kMachineRoot[] = L"HKEY_LOCAL_MACHINE";
// The uninstall entry's command is written only once the uninstaller copy it starts is complete:
// an installation ended before that leaves no command that starts a missing or partial copy.
constexpr wchar_t kUninstallCommand[] = L"UninstallString";

// Writes the values in order into the open key and appends their record section. The value
// named `deferred` is recorded but taken out of the key, to be written later.
void WriteSection(TInstallThread& thread, const win::RegKey& key, const std::wstring& keyPath,
                  const std::vector<ini::IniEntry>& values, const std::wstring& deferred = L"") {
  auto& record = thread.RecordList();
  record.push_back(L"[" + RecordSectionName(kMachineRoot, keyPath) + L"]");
  for (const auto& value : values) {
    thread.PassGate();
    if (value.key == deferred) {
      (void)key.DeleteValue(value.key);
    } else {
      key.WriteString(value.key, value.value);
    }
    record.push_back(value.key + L"=" + value.value);
  }
}

SettingReader SettingsOf(const TInstallThread& thread) {
  return [&thread](const std::wstring& key, const std::wstring& defaultValue) {
    return thread.Setting(key, defaultValue);
  };
}

}  // namespace

void WriteRegOnUninstallFolder(TInstallThread& thread) {
  const std::wstring keyPath = App.Paths.UninstallKey + thread.Setting(L"%REG_FODLER_PROGNAME");
  win::RegKey key;
  thread.PassGate();
  if (!key.Create(HKEY_LOCAL_MACHINE, keyPath, KEY_WRITE)) return;
  thread.ShowStatus(App.GetText(L"InstallWizard", L"WriteRegOnUninstallFolder"));

  const SettingReader setting = SettingsOf(thread);
  const InstallBackupLocation backup = LocateInstallBackup(setting);
  App.Paths.UninstallerPath = backup.setupPath;
  thread.PassGate();
  (void)PrepareFolderPath(App.Paths.UninstallerPath, backup.stop, true);
  WriteSection(thread, key, keyPath,
               UninstallEntryValues(setting, backup, App.Paths.ProgramExePath), kUninstallCommand);
  thread.PassGate();
  WriteDeploymentValues(key, App.Paths.InstallRootDir);
}

void WriteUninstallCommand(TInstallThread& thread) {
  if (App.Paths.UninstallerPath.empty() || !FileExists(App.Paths.UninstallerPath)) return;
  const std::wstring keyPath = App.Paths.UninstallKey + thread.Setting(L"%REG_FODLER_PROGNAME");
  win::RegKey key;
  thread.PassGate();
  if (!key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_WRITE)) return;
  const SettingReader setting = SettingsOf(thread);
  for (const auto& value :
       UninstallEntryValues(setting, LocateInstallBackup(setting), App.Paths.ProgramExePath)) {
    if (value.key == kUninstallCommand) key.WriteString(value.key, value.value);
  }
  key.WriteString(kQuietUninstallCommand, QuietUninstallCommand(App.Paths.UninstallerPath));
}

void WriteRegOnPrivateFolder(TInstallThread& thread) {
  const SettingReader setting = SettingsOf(thread);
  const std::wstring keyPath = PrivateFolderKeyPath(setting);
  // An empty path would name the root of HKEY_LOCAL_MACHINE itself.
  if (keyPath.empty()) return;
  win::RegKey key;
  thread.PassGate();
  if (!key.Create(HKEY_LOCAL_MACHINE, keyPath, KEY_WRITE)) return;
  thread.ShowStatus(App.GetText(L"InstallWizard", L"WriteRegOnPrivateFolder"));
  WriteSection(thread, key, keyPath, PrivateFolderValues(setting));
}

std::vector<ini::IniSection> ParseRecordList(const std::vector<std::wstring>& lines) {
  std::vector<ini::IniSection> sections;
  for (const auto& rawLine : lines) {
    const std::wstring line(strings::TrimBlanks(rawLine));
    if (line.empty() || line.front() == L';') continue;
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
      sections.push_back({std::wstring(strings::TrimBlanks(line.substr(1, line.size() - 2))), {}});
      continue;
    }
    if (sections.empty()) continue;
    const auto equals = line.find(L'=');
    const std::wstring name = line.substr(0, equals);
    const std::wstring data = equals == std::wstring::npos ? L"" : line.substr(equals + 1);
    sections.back().entries.push_back(
        {std::wstring(strings::TrimBlanks(name)), std::wstring(strings::TrimBlanks(data))});
  }
  return sections;
}

void WriteRecordFile(TInstallThread& thread) {
  const std::wstring path = App.Paths.UpdaterDir + L"Regedit_FileList.ini";
  // The file is only ever rewritten: a payload without one gets none.
  if (App.Paths.UpdaterDir.empty() || !FileExists(path)) return;
  auto file = ReadIniFile(path);
  if (!file) return;
  const auto sections = ParseRecordList(thread.RecordList());
  file->ReplaceContent(sections);
  thread.PassGate();
  WriteIniFile(path, *file);
}
