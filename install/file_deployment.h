// The file steps of the installation: the payload into the product folders, the setup program
// into the install-backup folder, and the permissions of both.
#pragma once

struct InstallContext;

// Creates the product folders, copies the payload and opens the product folder to everybody;
// fixes the updater folder. The install-backup folder is made writable by administrators only.
void CopyFiles(InstallContext& context);
void CopySetupToBackup(InstallContext& context);
void SecureBackupFolder(InstallContext& context);
