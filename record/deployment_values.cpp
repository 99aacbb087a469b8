#include "record/deployment_values.h"

#include "util/folder_size.h"
#include "util/setup_log.h"

namespace {

void LogRefused(bool written, const std::wstring& name) {
  if (!written) LogLine(L"the registry refused the uninstall entry's value " + name);
}

}  // namespace

std::wstring QuietUninstallCommand(const std::wstring& uninstallerPath) {
  return L"\"" + uninstallerPath + L"\" uninstall /quiet";
}

void WriteDeploymentValues(const win::RegKey& entry, const std::wstring& productFolder) {
  // The quiet command is written with the other command, once the uninstaller copy is complete.
  // Mostly there is none to take out, and a key opened for writing cannot be asked whether there
  // was: the result tells nothing, and the registry's own log line shows it.
  (void)entry.DeleteValue(kQuietUninstallCommand);
  LogRefused(entry.WriteString(L"InstallLocation", productFolder), L"InstallLocation");
  LogRefused(entry.WriteDword(L"EstimatedSize", KilobytesRoundedUp(FolderSizeBytes(productFolder))),
             L"EstimatedSize");
  LogRefused(entry.WriteDword(L"NoModify", 1), L"NoModify");
  LogRefused(entry.WriteDword(L"NoRepair", 1), L"NoRepair");
}

void UpdateEstimatedSize(const std::wstring& entryKeyPath, const std::wstring& productFolder) {
  win::RegKey entry;
  // Without an entry there is no size to keep up to date.
  if (!entry.Open(HKEY_LOCAL_MACHINE, entryKeyPath, KEY_WRITE)) return;
  LogRefused(entry.WriteDword(L"EstimatedSize", KilobytesRoundedUp(FolderSizeBytes(productFolder))),
             L"EstimatedSize");
}
