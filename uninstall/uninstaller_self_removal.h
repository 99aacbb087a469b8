// After a complete removal nothing is left for the uninstaller copy to remove: it deletes its
// own folder's files (Setup.exe, Setup.ini, the workbook, pictures, licences) and marks what it
// cannot delete while it runs (its own Setup.exe, then the folder) for deletion at the next
// restart.
#pragma once

#include <string>
#include <vector>

// Empties and removes the folder of `uninstallerPath` (the recorded uninstaller copy), when the
// running program is that copy, the folder is one the removal may empty and no installation that
// started this removal is about to fill it again; otherwise nothing is done. Each entry that stays
// is logged and marked with MOVEFILE_DELAY_UNTIL_REBOOT, files before their folders. Returns the
// paths left until the next restart.
std::vector<std::wstring> RemoveOwnUninstallerCopy(const std::wstring& uninstallerPath);
