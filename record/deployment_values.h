// The uninstall entry's values for deployment tools and Windows' list of programs, which the
// installation record does not list: the quiet removal, the product folder, its size and that the
// entry offers neither change nor repair.
#pragma once

#include <string>

#include "util/reg_key.h"

inline constexpr wchar_t kQuietUninstallCommand[] = L"QuietUninstallString";

// The command a deployment tool runs to remove the product without a user.
std::wstring QuietUninstallCommand(const std::wstring& uninstallerPath);

// Writes InstallLocation, EstimatedSize (the product folder's size in KB), NoModify and NoRepair
// into the open uninstall entry, and takes out a QuietUninstallString, which is written with the
// entry's command once the uninstaller copy is complete.
void WriteDeploymentValues(const win::RegKey& entry, const std::wstring& productFolder);

// Writes EstimatedSize again once the installation has written its last file, into the entry at
// `entryKeyPath` (below HKEY_LOCAL_MACHINE) when it exists.
void UpdateEstimatedSize(const std::wstring& entryKeyPath, const std::wstring& productFolder);
