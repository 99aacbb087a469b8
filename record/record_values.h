// The values an installation records, built from one set of settings and paths, so that the
// installation and the later rewriting of its registration write them alike.
#pragma once

#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/run_facts.h"
#include "app/setup_settings.h"
#include "core/ini/ini_file.h"
#include "util/reg_key.h"

// Where the copy of the setup program lives: below the special folder named by
// %INSTALL_BACKUP_DIR, with a level "OEM" for OEM packages.
struct InstallBackupLocation {
  std::wstring stop;       // the level the folder is prepared down from
  std::wstring folder;     // the folder itself, without a trailing "\"
  std::wstring setupPath;  // folder + "\Setup.exe"
};
InstallBackupLocation LocateInstallBackup(const SetupSettings& settings);

// A registry key of the record with the values it receives, in the order written; the record
// file lists the same values under the section name.
struct RecordKey {
  std::wstring keyPath;      // below the root key
  std::wstring sectionName;  // the root key's name, "\" and the key path without a trailing "\"
  std::vector<ini::IniEntry> values;
};

// The uninstall entry below HKEY_LOCAL_MACHINE: paths.UninstallKey + %REG_FODLER_PROGNAME. The
// icon lies in the install-backup folder when the running program brought
// "English\Application.ico", else it is the program executable.
RecordKey UninstallEntryKey(const SetupSettings& settings, const STRUCT_AppPath& paths,
                            const InstallBackupLocation& backup, const RunFacts& facts);

// The private key below HKEY_LOCAL_MACHINE, its values from `paths` (uninstaller, product
// folder, shortcut paths); the manual shortcut only when %MANULA_EXIST is "1". The key path is
// "" when %PUBLISHER or %REG_FODLER_PROGNAME is empty.
RecordKey PrivateFolderKey(const SetupSettings& settings, const STRUCT_AppPath& paths);

// The private key's path alone, "" when %PUBLISHER or %REG_FODLER_PROGNAME is empty.
std::wstring PrivateFolderKeyPath(const SetupSettings& settings, const STRUCT_AppPath& paths);

// The start-up value below HKEY_CURRENT_USER's Run key as the record lists it: the value named
// %PROGRAM_ONBOOT with the executable's plain path; no value when %PROGRAM_ONBOOT is empty. The
// registry holds StartupValueData in its place.
RecordKey StartupEntryKey(const SetupSettings& settings, const STRUCT_AppPath& paths);

// The start-up value's data: the quoted executable and the argument that starts it minimised.
std::wstring StartupValueData(const std::wstring& programExePath);

// A record section's name: the root key's name, "\" and the key path without a trailing "\".
std::wstring RecordSectionName(const std::wstring& rootName, const std::wstring& keyPath);

// Writes the value `name` with `data` into the open key of the record section `sectionName`;
// false, with a line in the log, when the registry refused it. A refused value is not recorded:
// the record names only what the registry holds.
bool WriteRecordValue(const win::RegKey& key, const std::wstring& sectionName,
                      const std::wstring& name, const std::wstring& data);
