#include "install/installation_record.h"

#include <windows.h>

#include <vector>

#include "core/strings/string_util.h"
#include "install/install_context.h"
#include "record/deployment_values.h"
#include "record/record_values.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "util/ini_file_io.h"
#include "util/link_safe_files.h"
#include "util/reg_key.h"
#include "util/setup_log.h"

namespace {

// The uninstall entry's command is written only once the uninstaller copy it starts is complete:
// an installation ended before that leaves no command that starts a missing or partial copy.
constexpr wchar_t kUninstallCommand[] = L"UninstallString";

// Writes the values in order into the open key and appends their record section, each value's
// line only when the registry took the value. The value named `deferred` is recorded but taken
// out of the key, to be written later.
void WriteSection(InstallContext& context, const win::RegKey& key, const RecordKey& recordKey,
                  const std::wstring& deferred = L"") {
  auto& record = context.recordList;
  record.push_back(L"[" + recordKey.sectionName + L"]");
  for (const auto& value : recordKey.values) {
    context.PassGate();
    if (value.key == deferred) {
      // Mostly there is none to take out yet, and a key opened for writing cannot be asked
      // whether there was: the result tells nothing. The registry's own log line shows it.
      (void)key.DeleteValue(value.key);
    } else if (!WriteRecordValue(key, recordKey.sectionName, value.key, value.value)) {
      context.StepFailed(L"the value " + value.key + L" of " + recordKey.sectionName);
      continue;
    }
    record.push_back(value.key + L"=" + value.value);
  }
}

}  // namespace

void WriteRegOnUninstallFolder(InstallContext& context) {
  const InstallBackupLocation backup = LocateInstallBackup(context.settings);
  const RecordKey entry = UninstallEntryKey(context.settings, context.paths, backup, context.facts);
  win::RegKey key;
  context.PassGate();
  if (!key.Create(HKEY_LOCAL_MACHINE, entry.keyPath, KEY_WRITE)) {
    context.StepFailed(L"no uninstall entry: the key cannot be created: " + entry.sectionName);
    return;
  }
  context.ShowStatus(context.Text(L"InstallWizard", L"WriteRegOnUninstallFolder"));

  context.paths.UninstallerPath = backup.setupPath;
  context.PassGate();
  if (!PrepareFolderPath(context.paths.UninstallerPath, backup.stop, true)) {
    context.StepFailed(L"the install-backup folder cannot be made: " +
                       context.paths.UninstallerPath);
  }
  WriteSection(context, key, entry, kUninstallCommand);
  context.PassGate();
  WriteDeploymentValues(key, context.paths.InstallRootDir);
}

void WriteUninstallCommand(InstallContext& context) {
  const std::wstring& uninstaller = context.paths.UninstallerPath;
  // Without an uninstall entry there is no command to write; its step said so.
  if (uninstaller.empty()) return;
  if (!FileExists(uninstaller)) {
    context.StepFailed(L"no uninstall command: the uninstaller copy is missing: " + uninstaller);
    return;
  }
  const RecordKey entry = UninstallEntryKey(context.settings, context.paths,
                                            LocateInstallBackup(context.settings), context.facts);
  win::RegKey key;
  context.PassGate();
  if (!key.Open(HKEY_LOCAL_MACHINE, entry.keyPath, KEY_WRITE)) {
    context.StepFailed(L"no uninstall command: the uninstall entry cannot be opened: " +
                       entry.sectionName);
    return;
  }
  for (const auto& value : entry.values) {
    if (value.key != kUninstallCommand) continue;
    // The uninstall entry's section recorded the command ahead of it; refused, it comes out.
    if (!WriteRecordValue(key, entry.sectionName, value.key, value.value)) {
      std::erase(context.recordList, value.key + L"=" + value.value);
      context.StepFailed(L"the uninstall command of " + entry.sectionName);
    }
  }
  if (!key.WriteString(kQuietUninstallCommand, QuietUninstallCommand(uninstaller))) {
    context.StepFailed(std::wstring(L"the registry refused the uninstall entry's value ") +
                       kQuietUninstallCommand);
  }
}

void WriteRegOnPrivateFolder(InstallContext& context) {
  const RecordKey folder = PrivateFolderKey(context.settings, context.paths);
  // An empty path would name the root of HKEY_LOCAL_MACHINE itself.
  if (folder.keyPath.empty()) {
    context.StepFailed(L"no private registry folder: the settings name none");
    return;
  }
  win::RegKey key;
  context.PassGate();
  if (!key.Create(HKEY_LOCAL_MACHINE, folder.keyPath, KEY_WRITE)) {
    context.StepFailed(L"no private registry folder: the key cannot be created: " +
                       folder.sectionName);
    return;
  }
  context.ShowStatus(context.Text(L"InstallWizard", L"WriteRegOnPrivateFolder"));
  WriteSection(context, key, folder);
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

void WriteRecordFile(InstallContext& context) {
  const std::wstring& updater = context.paths.UpdaterDir;
  const std::wstring path = updater + L"Regedit_FileList.ini";
  // The file is only ever rewritten: a payload without one gets none.
  if (updater.empty() || !FileExists(path)) return;
  // The updater folder is open to everybody: a link planted there would carry the write away.
  if (PassesThroughLink(path, context.paths.InstallRootDir)) {
    context.StepFailed(L"guard: the record file is not written through a link: " + path);
    return;
  }
  auto file = ReadIniFile(path);
  if (!file) {
    context.StepFailed(L"the record file cannot be read: " + path);
    return;
  }
  const auto sections = ParseRecordList(context.recordList);
  file->ReplaceContent(sections);
  context.PassGate();
  if (!WriteIniFile(path, *file)) context.StepFailed(L"the record file cannot be written: " + path);
}
