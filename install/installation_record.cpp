#include "install/installation_record.h"

#include <windows.h>

#include "app/app.h"
#include "core/strings/string_util.h"
#include "install/install_thread.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "util/ini_file_io.h"
#include "util/reg_key.h"
#include "util/registry_helpers.h"
#include "util/special_folders.h"

namespace {

constexpr wchar_t kMachineRoot[] = L"HKEY_LOCAL_MACHINE";

// Writes the values in order into the open key and appends their record section.
void WriteSection(TInstallThread& thread, const win::RegKey& key, const std::wstring& keyPath,
                  const std::vector<ini::IniEntry>& values) {
  auto& record = thread.RecordList();
  record.push_back(L"[" + std::wstring(kMachineRoot) + L"\\" +
                   strings::WithoutTrailingSeparator(keyPath) + L"]");
  for (const auto& value : values) {
    thread.PassGate();
    key.WriteString(value.key, value.value);
    record.push_back(value.key + L"=" + value.value);
  }
}

}  // namespace

void WriteRegOnUninstallFolder(TInstallThread& thread) {
  const std::wstring keyPath = App.Paths.UninstallKey + thread.Setting(L"%REG_FODLER_PROGNAME");
  win::RegKey key;
  thread.PassGate();
  if (!key.Create(HKEY_LOCAL_MACHINE, keyPath, KEY_WRITE)) return;
  thread.ShowStatus(App.GetText(L"InstallWizard", L"WriteRegOnUninstallFolder"));
  const std::wstring displayName = App.GetText(L"UNINSTALL", L"DISPLAY_NAME");

  const std::wstring base = GetSpecialFolder(
      CsidlFromName(thread.Setting(L"%INSTALL_BACKUP_DIR", L"CSIDL_COMMON_TEMPLATES")));
  const bool oem = thread.Setting(L"%PUBLISHER") == L"OEM";
  const std::wstring stop = oem ? base + L"\\OEM" : base;
  const std::wstring backupFolder = stop + L"\\" + thread.Setting(L"%PROGRAM_FILES");
  App.Paths.UninstallerPath = backupFolder + L"\\Setup.exe";
  thread.PassGate();
  (void)PrepareFolderPath(App.Paths.UninstallerPath, stop, true);

  const std::wstring icon = FileExists(ExecutableFolder() + L"English\\Application.ico")
                                ? backupFolder + L"\\English\\Application.ico"
                                : App.Paths.ProgramExePath;
  WriteSection(thread, key, keyPath,
               {{L"DisplayName", displayName},
                {L"UninstallString", L"\"" + App.Paths.UninstallerPath + L"\" uninstall"},
                {L"DisplayIcon", icon},
                {L"DisplayVersion", thread.Setting(L"%PROGRAM_VERSION")},
                {L"Publisher", App.GetText(L"UNINSTALL", L"PUBLISHER")},
                {L"URLInfoAbout", App.GetText(L"UNINSTALL", L"URL")}});
}

void WriteRegOnPrivateFolder(TInstallThread& thread) {
  const std::wstring keyPath = ExpandKeyTemplate(
      nullptr, L"Setup", App.Paths.PrivateKeyTemplate, thread.Setting(L"%PUBLISHER"),
      thread.Setting(L"%REG_FODLER_PROGNAME"), L"%REG_FODLER_PROGNAME", L"%PUBLISHER");
  // An empty path would name the root of HKEY_LOCAL_MACHINE itself.
  if (keyPath.empty()) return;
  win::RegKey key;
  thread.PassGate();
  if (!key.Create(HKEY_LOCAL_MACHINE, keyPath, KEY_WRITE)) return;
  thread.ShowStatus(App.GetText(L"InstallWizard", L"WriteRegOnPrivateFolder"));

  std::vector<ini::IniEntry> values = {
      {L"UninstOnAppDataDir", App.Paths.UninstallerPath},
      {L"Product", thread.Setting(L"%PROGRAM_FILES")},
      {L"FormCaption", thread.Setting(L"%PROGRAM_FORMCAPTION")},
      {L"InstallDir", App.Paths.InstallRootDir},
      {L"ExecOnBoot", thread.Setting(L"%PROGRAM_ONBOOT")},
      {L"UninstRegFolder", thread.Setting(L"%REG_FODLER_PROGNAME")},
      {L"LINK_ProgramsExec", App.Paths.LinkProgramsExec},
      {L"LINK_ProgramUnist", App.Paths.LinkProgramUnist}};
  if (thread.Setting(L"%MANULA_EXIST") == L"1") {
    values.push_back({L"LINK_ProgramsManual", App.Paths.LinkProgramsManual});
  }
  values.push_back({L"LINK_DesktopExec", App.Paths.LinkDesktopExec});
  values.push_back(
      {L"OnlineUpdaterDir", App.Paths.InstallRootDir + L"\\" + thread.Setting(L"%UPDATER_DIR")});
  WriteSection(thread, key, keyPath, values);
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
