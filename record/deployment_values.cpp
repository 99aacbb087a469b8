#include "record/deployment_values.h"

#include "util/folder_size.h"

std::wstring QuietUninstallCommand(const std::wstring& uninstallerPath) {
  return L"\"" + uninstallerPath + L"\" uninstall /quiet";
}

void WriteDeploymentValues(const win::RegKey& entry, const std::wstring& productFolder) {
  // The quiet command is written with the other command, once the uninstaller copy is complete.
  (void)entry.DeleteValue(kQuietUninstallCommand);
  entry.WriteString(L"InstallLocation", productFolder);
  entry.WriteDword(L"EstimatedSize", KilobytesRoundedUp(FolderSizeBytes(productFolder)));
  entry.WriteDword(L"NoModify", 1);
  entry.WriteDword(L"NoRepair", 1);
}

void UpdateEstimatedSize(const std::wstring& entryKeyPath, const std::wstring& productFolder) {
  win::RegKey entry;
  if (!entry.Open(HKEY_LOCAL_MACHINE, entryKeyPath, KEY_WRITE)) return;
  entry.WriteDword(L"EstimatedSize", KilobytesRoundedUp(FolderSizeBytes(productFolder)));
}
