// The file steps of the installation: the payload into the product folders, the setup program
// into the install-backup folder, and the permissions of both.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct InstallContext;

// Creates the product folders, copies the payload and opens the product folder's permissions;
// fixes the updater folder.
void CopyFiles(InstallContext& context);
void CopySetupToBackup(InstallContext& context);
void SecureBackupFolder(InstallContext& context);

// The local name of the Everyone group, or its SID form "*S-1-1-0" when the name cannot be
// looked up.
std::wstring EveryoneGroupName();

// The command lines that open `target` (without a trailing "\") to `everyone` and SYSTEM on a
// Windows of major version `majorVersion`: four icacls lines for 6, one cacls line for 5, none
// otherwise. The account name is quoted, so a name with blanks stays one argument.
std::vector<std::wstring> PermissionCommandLines(DWORD majorVersion, const std::wstring& target,
                                                 const std::wstring& everyone);
