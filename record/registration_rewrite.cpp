#include "record/registration_rewrite.h"

#include <windows.h>

#include <utility>

#include "core/strings/string_util.h"
#include "record/deployment_values.h"
#include "record/record_file_mirror.h"
#include "util/reg_key.h"
#include "util/registry_helpers.h"
#include "util/setup_log.h"

namespace {

// Writes the key's values in order and returns those the registry took, the only ones the record
// file may name.
std::vector<ini::IniEntry> WriteValues(const win::RegKey& key, const RecordKey& recordKey) {
  std::vector<ini::IniEntry> written;
  for (const auto& value : recordKey.values) {
    if (WriteRecordValue(key, recordKey.sectionName, value.key, value.value)) {
      written.push_back(value);
    }
  }
  return written;
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

TRegistrationRewrite::TRegistrationRewrite(const SetupSettings& settings,
                                           const SetupSettings* oldSettings,
                                           const UNINSTStruct_INFO& record,
                                           const STRUCT_AppPath& paths, RunFacts facts)
    : settings_(settings),
      oldSettings_(oldSettings),
      record_(record),
      paths_(paths),
      facts_(std::move(facts)) {}

std::wstring TRegistrationRewrite::Setting(const std::wstring& key) const {
  return settings_.Value(key);
}

std::wstring TRegistrationRewrite::OldSetting(const std::wstring& key) const {
  return oldSettings_ != nullptr ? oldSettings_->Value(key) : L"";
}

std::wstring TRegistrationRewrite::OldProgramFolder() const {
  if (oldSettings_ == nullptr) return {};
  return strings::WithTrailingSeparator(strings::WithTrailingSeparator(record_.InstallDir) +
                                        record_.Product);
}

void TRegistrationRewrite::RewriteRegistration() {
  paths_.UpdaterDir =
      strings::WithTrailingSeparator(paths_.InstallRootDir + L"\\" + Setting(L"%UPDATER_DIR"));
  RewriteUninstallEntry();
  RewriteStartupEntry();
  RewriteShortcuts();
  RewritePrivateFolder();
}

void TRegistrationRewrite::RewriteUninstallEntry() {
  // The shortcuts and the private folder name the uninstaller even when no entry is written.
  const InstallBackupLocation backup = LocateInstallBackup(settings_);
  paths_.UninstallerPath = backup.setupPath;

  const std::wstring name = Setting(L"%REG_FODLER_PROGNAME");
  const std::wstring& oldName = record_.UninstRegFolder;
  if (IsSingleKeyName(oldName) && !strings::EqualsIgnoreCase(oldName, name)) {
    DeleteMachineKey(paths_.UninstallKey, false, oldName);
  }
  if (name.empty()) return;
  const RecordKey entry = UninstallEntryKey(settings_, paths_, backup, facts_);
  win::RegKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, entry.keyPath, KEY_WRITE)) {
    LogLine(L"uninstall entry not rewritten: the key cannot be created: " + entry.sectionName);
    return;
  }
  const auto written = WriteValues(key, entry);
  WriteDeploymentValues(key, paths_.InstallRootDir);
  if (!key.WriteString(kQuietUninstallCommand, QuietUninstallCommand(backup.setupPath))) {
    LogLine(std::wstring(L"the registry refused the uninstall entry's value ") +
            kQuietUninstallCommand);
  }
  MirrorIntoRecordFile(paths_.UpdaterDir, entry.sectionName, written);
}

void TRegistrationRewrite::RewriteStartupEntry() {
  const std::wstring name = Setting(L"%PROGRAM_ONBOOT");
  if (!record_.ExecOnBoot.empty() && record_.ExecOnBoot != name) {
    DeleteUserValue(paths_.RunKey, false, record_.ExecOnBoot);
  }
  if (name.empty()) return;
  const RecordKey startup = StartupEntryKey(settings_, paths_);
  win::RegKey key;
  if (!key.Create(HKEY_CURRENT_USER, startup.keyPath, KEY_WRITE)) {
    LogLine(L"start-up value not rewritten: the key cannot be created: " + startup.sectionName);
    return;
  }
  if (!WriteRecordValue(key, startup.sectionName, name, StartupValueData(paths_.ProgramExePath))) {
    return;
  }
  // The record file lists the executable's plain path, as an installation's record does.
  MirrorIntoRecordFile(paths_.UpdaterDir, startup.sectionName, startup.values);
}

void TRegistrationRewrite::RewritePrivateFolder() {
  const RecordKey folder = PrivateFolderKey(settings_, paths_);
  const std::wstring& newPath = folder.keyPath;
  const std::wstring oldPath =
      oldSettings_ != nullptr ? PrivateFolderKeyPath(*oldSettings_, paths_) : L"";
  // Registry names ignore letter case: a path differing only in case is the same key.
  if (!oldPath.empty() && !strings::EqualsIgnoreCase(strings::WithoutTrailingSeparator(oldPath),
                                                     strings::WithoutTrailingSeparator(newPath))) {
    if (HoldsInstallationRecord(oldPath)) DeleteMachineKey(L"", false, oldPath);
  }
  // An empty path would name the root of HKEY_LOCAL_MACHINE itself.
  if (newPath.empty()) return;
  win::RegKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, newPath, KEY_WRITE)) {
    LogLine(L"private registry folder not rewritten: the key cannot be created: " +
            folder.sectionName);
    return;
  }
  MirrorIntoRecordFile(paths_.UpdaterDir, folder.sectionName, WriteValues(key, folder));
}
