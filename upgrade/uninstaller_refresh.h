// After an upgrade, the installed uninstaller copy is replaced by the running package, so that
// a later uninstallation runs the setup program and texts of the version now installed.
#pragma once

#include <string>

// Empties the folder of `uninstallerPath` (the installed uninstaller copy) and copies
// `setupFolder` (ending with "\") into it, leaving out its payload folder ("Program Files" in
// any letter case).
// Nothing is done when that folder is not one the uninstallation could remove
// (IsRemovableInstallDir), or when it and the setup folder hold one another: the running
// package is never emptied.
// The command of the uninstall entry at `entryKeyPath` (below HKEY_LOCAL_MACHINE; "" for none)
// is taken out while the copy is made and put back once the uninstaller is there. The release's
// file lists stay out of the copy (RemoveReleaseFileLists).
// Returns false, with a line in the log, when the copy is incomplete, the command could not be
// put back, or the folder is refused; true when it is complete or there was nothing to replace (no
// uninstaller named, or the package is the copy itself).
bool RefreshUninstallerCopy(const std::wstring& uninstallerPath, const std::wstring& setupFolder,
                            const std::wstring& entryKeyPath = L"");
