#include "record/record_values.h"

#include "core/strings/string_util.h"
#include "util/executable_folder.h"
#include "util/file_bytes.h"
#include "util/registry_helpers.h"
#include "util/setup_log.h"
#include "util/special_folders.h"

namespace {

constexpr wchar_t kMachineRoot[] = L"HKEY_LOCAL_MACHINE";
constexpr wchar_t kUserRoot[] = L"HKEY_CURRENT_USER";

std::vector<ini::IniEntry> PrivateFolderValues(const SetupSettings& settings,
                                               const STRUCT_AppPath& paths) {
  std::vector<ini::IniEntry> values = {
      {L"UninstOnAppDataDir", paths.UninstallerPath},
      {L"Product", settings.Value(L"%PROGRAM_FILES")},
      {L"FormCaption", settings.Value(L"%PROGRAM_FORMCAPTION")},
      {L"InstallDir", paths.InstallRootDir},
      {L"ExecOnBoot", settings.Value(L"%PROGRAM_ONBOOT")},
      {L"UninstRegFolder", settings.Value(L"%REG_FODLER_PROGNAME")},
      {L"LINK_ProgramsExec", paths.LinkProgramsExec},
      {L"LINK_ProgramUnist", paths.LinkProgramUnist}};
  if (settings.Value(L"%MANULA_EXIST") == L"1") {
    values.push_back({L"LINK_ProgramsManual", paths.LinkProgramsManual});
  }
  values.push_back({L"LINK_DesktopExec", paths.LinkDesktopExec});
  values.push_back(
      {L"OnlineUpdaterDir", paths.InstallRootDir + L"\\" + settings.Value(L"%UPDATER_DIR")});
  return values;
}

}  // namespace

InstallBackupLocation LocateInstallBackup(const SetupSettings& settings) {
  const std::wstring base = GetSpecialFolder(
      CsidlFromName(settings.Value(L"%INSTALL_BACKUP_DIR", L"CSIDL_COMMON_TEMPLATES")));
  InstallBackupLocation location;
  location.stop = settings.Value(L"%PUBLISHER") == L"OEM" ? base + L"\\OEM" : base;
  location.folder = location.stop + L"\\" + settings.Value(L"%PROGRAM_FILES");
  location.setupPath = location.folder + L"\\Setup.exe";
  return location;
}

RecordKey UninstallEntryKey(const SetupSettings& settings, const STRUCT_AppPath& paths,
                            const InstallBackupLocation& backup, const RunFacts& facts) {
  const std::wstring icon = FileExists(ExecutableFolder() + L"English\\Application.ico")
                                ? backup.folder + L"\\English\\Application.ico"
                                : paths.ProgramExePath;
  RecordKey key;
  key.keyPath = paths.UninstallKey + settings.Value(L"%REG_FODLER_PROGNAME");
  key.sectionName = RecordSectionName(kMachineRoot, key.keyPath);
  key.values = {{L"DisplayName", facts.Text(L"UNINSTALL", L"DISPLAY_NAME")},
                {L"UninstallString", L"\"" + backup.setupPath + L"\" uninstall"},
                {L"DisplayIcon", icon},
                {L"DisplayVersion", settings.Value(L"%PROGRAM_VERSION")},
                {L"Publisher", facts.Text(L"UNINSTALL", L"PUBLISHER")},
                {L"URLInfoAbout", facts.Text(L"UNINSTALL", L"URL")}};
  return key;
}

RecordKey PrivateFolderKey(const SetupSettings& settings, const STRUCT_AppPath& paths) {
  RecordKey key;
  key.keyPath = PrivateFolderKeyPath(settings, paths);
  key.sectionName = RecordSectionName(kMachineRoot, key.keyPath);
  key.values = PrivateFolderValues(settings, paths);
  return key;
}

std::wstring PrivateFolderKeyPath(const SetupSettings& settings, const STRUCT_AppPath& paths) {
  return ExpandKeyTemplate(nullptr, L"Setup", paths.PrivateKeyTemplate,
                           settings.Value(L"%PUBLISHER"), settings.Value(L"%REG_FODLER_PROGNAME"),
                           L"%REG_FODLER_PROGNAME", L"%PUBLISHER");
}

RecordKey StartupEntryKey(const SetupSettings& settings, const STRUCT_AppPath& paths) {
  RecordKey key;
  key.keyPath = paths.RunKey;
  key.sectionName = RecordSectionName(kUserRoot, key.keyPath);
  const std::wstring name = settings.Value(L"%PROGRAM_ONBOOT");
  if (!name.empty()) key.values.push_back({name, paths.ProgramExePath});
  return key;
}

std::wstring StartupValueData(const std::wstring& programExePath) {
  return L"\"" + programExePath + L"\" Minimum";
}

std::wstring RecordSectionName(const std::wstring& rootName, const std::wstring& keyPath) {
  std::wstring path = keyPath;
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return rootName + L"\\" + path;
}

bool WriteRecordValue(const win::RegKey& key, const std::wstring& sectionName,
                      const std::wstring& name, const std::wstring& data) {
  if (key.WriteString(name, data)) return true;
  LogLine(L"not recorded, the registry refused the value: " + sectionName + L"\\" + name);
  return false;
}
