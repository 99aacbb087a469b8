// The values an installation records, built from one reader of the settings, so that the
// installation and the later rewriting of its registration write them alike.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/ini/ini_file.h"

// A value of section "Setup": key and default in, the value (or the default) out.
using SettingReader = std::function<std::wstring(const std::wstring&, const std::wstring&)>;

// Where the copy of the setup program lives: below the special folder named by
// %INSTALL_BACKUP_DIR, with a level "OEM" for OEM packages.
struct InstallBackupLocation {
  std::wstring stop;       // the level the folder is prepared down from
  std::wstring folder;     // the folder itself, without a trailing "\"
  std::wstring setupPath;  // folder + "\Setup.exe"
};
InstallBackupLocation LocateInstallBackup(const SettingReader& setting);

// The uninstall entry's values in the order written. The icon lies in the install-backup folder
// when the running program brought "English\Application.ico", else it is the program executable.
std::vector<ini::IniEntry> UninstallEntryValues(const SettingReader& setting,
                                                const InstallBackupLocation& backup,
                                                const std::wstring& programExePath);

// The private key's values in the order written, from App.Paths (uninstaller, product folder,
// shortcut paths); the manual shortcut only when %MANULA_EXIST is "1".
std::vector<ini::IniEntry> PrivateFolderValues(const SettingReader& setting);

// The private key's path, "" when %PUBLISHER or %REG_FODLER_PROGNAME is empty.
std::wstring PrivateFolderKeyPath(const SettingReader& setting);

// The start-up value's data: the quoted executable and the argument that starts it minimised.
std::wstring StartupValueData(const std::wstring& programExePath);

// A record section's name: the root key's name, "\" and the key path without a trailing "\".
std::wstring RecordSectionName(const std::wstring& rootName, const std::wstring& keyPath);
