#include "record/registration_rewrite.h"

#include <windows.h>

#include "app/app.h"
#include "core/strings/string_util.h"
#include "record/deployment_values.h"
#include "record/record_file_mirror.h"
#include "util/reg_key.h"
#include "util/registry_helpers.h"

namespace {

constexpr wchar_t kMachineRoot[] = L"HKEY_LOCAL_MACHINE";
constexpr wchar_t kUserRoot[] = L"HKEY_CURRENT_USER";

std::wstring ReadSetting(const ini::IniFile& settings, const std::wstring& key,
                         const std::wstring& defaultValue) {
  return settings.ReadString(L"Setup", key, defaultValue);
}

void WriteValues(const win::RegKey& key, const std::vector<ini::IniEntry>& values) {
  for (const auto& value : values) key.WriteString(value.key, value.value);
}

// An uninstall entry's name is one key below Uninstall; a separator would reach past it.
bool IsSingleKeyName(const std::wstring& name) {
  return !name.empty() && name.find(L'\\') == std::wstring::npos;
}

// Only a key that holds an installation's record is deleted as the old private folder: settings
// that name another key (a shared vendor key, say) must not take it with them.
bool HoldsInstallationRecord(const std::wstring& keyPath) {
  win::RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ)) return false;
  return !key.ReadString(L"UninstRegFolder").value_or(L"").empty();
}

}  // namespace

TRegistrationRewrite::TRegistrationRewrite(const ini::IniFile& settings,
                                           const ini::IniFile* oldSettings,
                                           const UNINSTStruct_INFO& record)
    : settings_(settings), oldSettings_(oldSettings), record_(record) {}

std::wstring TRegistrationRewrite::Setting(const std::wstring& key) const {
  return ReadSetting(settings_, key, L"");
}

std::wstring TRegistrationRewrite::OldSetting(const std::wstring& key) const {
  return oldSettings_ != nullptr ? ReadSetting(*oldSettings_, key, L"") : L"";
}

SettingReader TRegistrationRewrite::Reader() const {
  return [this](const std::wstring& key, const std::wstring& defaultValue) {
    return ReadSetting(settings_, key, defaultValue);
  };
}

std::wstring TRegistrationRewrite::OldProgramFolder() const {
  if (oldSettings_ == nullptr) return {};
  return strings::WithTrailingSeparator(strings::WithTrailingSeparator(record_.InstallDir) +
                                        record_.Product);
}

void TRegistrationRewrite::RewriteRegistration() {
  const std::wstring publisherFolder = Setting(L"%PUBLISHER") != L"OEM"
                                           ? App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_PUBLISHER")
                                           : L"";
  App.Paths.UpdaterDir =
      strings::WithTrailingSeparator(App.Paths.InstallRootDir + L"\\" + Setting(L"%UPDATER_DIR"));
  RewriteUninstallEntry();
  RewriteStartupEntry();
  RewriteShortcuts(publisherFolder, App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER"));
  RewritePrivateFolder();
}

void TRegistrationRewrite::RewriteUninstallEntry() {
  // The shortcuts and the private folder name the uninstaller even when no entry is written.
  const InstallBackupLocation backup = LocateInstallBackup(Reader());
  App.Paths.UninstallerPath = backup.setupPath;

  const std::wstring name = Setting(L"%REG_FODLER_PROGNAME");
  const std::wstring& oldName = record_.UninstRegFolder;
  if (IsSingleKeyName(oldName) && !strings::EqualsIgnoreCase(oldName, name)) {
    DeleteMachineKey(App.Paths.UninstallKey, false, oldName);
  }
  if (name.empty()) return;
  const std::wstring keyPath = App.Paths.UninstallKey + name;
  win::RegKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, keyPath, KEY_WRITE)) return;
  const auto values = UninstallEntryValues(Reader(), backup, App.Paths.ProgramExePath);
  WriteValues(key, values);
  WriteDeploymentValues(key, App.Paths.InstallRootDir);
  key.WriteString(kQuietUninstallCommand, QuietUninstallCommand(backup.setupPath));
  MirrorIntoRecordFile(App.Paths.UpdaterDir, RecordSectionName(kMachineRoot, keyPath), values);
}

void TRegistrationRewrite::RewriteStartupEntry() {
  const std::wstring name = Setting(L"%PROGRAM_ONBOOT");
  if (!record_.ExecOnBoot.empty() && record_.ExecOnBoot != name) {
    DeleteUserValue(App.Paths.RunKey, false, record_.ExecOnBoot);
  }
  if (name.empty()) return;
  win::RegKey key;
  if (!key.Create(HKEY_CURRENT_USER, App.Paths.RunKey, KEY_WRITE)) return;
  key.WriteString(name, StartupValueData(App.Paths.ProgramExePath));
  // The record file lists the executable's plain path, as an installation's record does.
  MirrorIntoRecordFile(App.Paths.UpdaterDir, RecordSectionName(kUserRoot, App.Paths.RunKey),
                       {{name, App.Paths.ProgramExePath}});
}

void TRegistrationRewrite::RewritePrivateFolder() {
  const std::wstring newPath = PrivateFolderKeyPath(Reader());
  const std::wstring oldPath =
      oldSettings_ != nullptr
          ? PrivateFolderKeyPath([this](const std::wstring& key, const std::wstring& defaultValue) {
              return ReadSetting(*oldSettings_, key, defaultValue);
            })
          : L"";
  // Registry names ignore letter case: a path differing only in case is the same key.
  if (!oldPath.empty() && !strings::EqualsIgnoreCase(strings::WithoutTrailingSeparator(oldPath),
                                                     strings::WithoutTrailingSeparator(newPath))) {
    if (HoldsInstallationRecord(oldPath)) DeleteMachineKey(L"", false, oldPath);
  }
  // An empty path would name the root of HKEY_LOCAL_MACHINE itself.
  if (newPath.empty()) return;
  win::RegKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, newPath, KEY_WRITE)) return;
  const auto values = PrivateFolderValues(Reader());
  WriteValues(key, values);
  MirrorIntoRecordFile(App.Paths.UpdaterDir, RecordSectionName(kMachineRoot, newPath), values);
}
