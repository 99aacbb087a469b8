#include "record/record_values.h"

#include "app/app.h"
#include "core/strings/string_util.h"
#include "util/file_bytes.h"
#include "util/registry_helpers.h"
#include "util/special_folders.h"

InstallBackupLocation LocateInstallBackup(const SettingReader& setting) {
  const std::wstring base =
      GetSpecialFolder(CsidlFromName(setting(L"%INSTALL_BACKUP_DIR", L"CSIDL_COMMON_TEMPLATES")));
  InstallBackupLocation location;
  location.stop = setting(L"%PUBLISHER", L"") == L"OEM" ? base + L"\\OEM" : base;
  location.folder = location.stop + L"\\" + setting(L"%PROGRAM_FILES", L"");
  location.setupPath = location.folder + L"\\Setup.exe";
  return location;
}

std::vector<ini::IniEntry> UninstallEntryValues(const SettingReader& setting,
                                                const InstallBackupLocation& backup,
                                                const std::wstring& programExePath) {
  const std::wstring icon = FileExists(ExecutableFolder() + L"English\\Application.ico")
                                ? backup.folder + L"\\English\\Application.ico"
                                : programExePath;
  return {{L"DisplayName", App.GetText(L"UNINSTALL", L"DISPLAY_NAME")},
          {L"UninstallString", L"\"" + backup.setupPath + L"\" uninstall"},
          {L"DisplayIcon", icon},
          {L"DisplayVersion", setting(L"%PROGRAM_VERSION", L"")},
          {L"Publisher", App.GetText(L"UNINSTALL", L"PUBLISHER")},
          {L"URLInfoAbout", App.GetText(L"UNINSTALL", L"URL")}};
}

std::vector<ini::IniEntry> PrivateFolderValues(const SettingReader& setting) {
  const STRUCT_AppPath& paths = App.Paths;
  std::vector<ini::IniEntry> values = {{L"UninstOnAppDataDir", paths.UninstallerPath},
                                       {L"Product", setting(L"%PROGRAM_FILES", L"")},
                                       {L"FormCaption", setting(L"%PROGRAM_FORMCAPTION", L"")},
                                       {L"InstallDir", paths.InstallRootDir},
                                       {L"ExecOnBoot", setting(L"%PROGRAM_ONBOOT", L"")},
                                       {L"UninstRegFolder", setting(L"%REG_FODLER_PROGNAME", L"")},
                                       {L"LINK_ProgramsExec", paths.LinkProgramsExec},
                                       {L"LINK_ProgramUnist", paths.LinkProgramUnist}};
  if (setting(L"%MANULA_EXIST", L"") == L"1") {
    values.push_back({L"LINK_ProgramsManual", paths.LinkProgramsManual});
  }
  values.push_back({L"LINK_DesktopExec", paths.LinkDesktopExec});
  values.push_back(
      {L"OnlineUpdaterDir", paths.InstallRootDir + L"\\" + setting(L"%UPDATER_DIR", L"")});
  return values;
}

std::wstring PrivateFolderKeyPath(const SettingReader& setting) {
  return ExpandKeyTemplate(nullptr, L"Setup", App.Paths.PrivateKeyTemplate,
                           setting(L"%PUBLISHER", L""), setting(L"%REG_FODLER_PROGNAME", L""),
                           L"%REG_FODLER_PROGNAME", L"%PUBLISHER");
}

std::wstring StartupValueData(const std::wstring& programExePath) {
  return L"\"" + programExePath + L"\" Minimum";
}

std::wstring RecordSectionName(const std::wstring& rootName, const std::wstring& keyPath) {
  std::wstring path = keyPath;
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return rootName + L"\\" + path;
}
