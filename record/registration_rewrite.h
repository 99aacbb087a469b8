// Rewrites an installation's registration from a newer package's settings: the uninstall entry,
// the start-up value, the shortcuts and the private registry folder, each mirrored into the
// installation's record file when it has one. The product folder, program folder and executable
// are those App.Paths holds; the uninstaller, updater folder and shortcut paths are set here.
#pragma once

#include <functional>
#include <string>

#include "core/ini/ini_file.h"
#include "record/record_values.h"
#include "record/uninst_struct_info.h"

class TRegistrationRewrite {
 public:
  // `settings` is the new Setup.ini, `oldSettings` Setup_old.ini (null when there is none), and
  // `record` what the installation recorded; all three outlive the object.
  TRegistrationRewrite(const ini::IniFile& settings, const ini::IniFile* oldSettings,
                       const UNINSTStruct_INFO& record);

  void RewriteRegistration();
  void RewriteUninstallEntry();
  void RewriteStartupEntry();
  void RewriteShortcuts(const std::wstring& publisherFolder, const std::wstring& programFolder);
  void RewritePrivateFolder();

 private:
  std::wstring Setting(const std::wstring& key) const;
  std::wstring OldSetting(const std::wstring& key) const;
  SettingReader Reader() const;
  // The program folder the record names, with a trailing "\"; "" without old settings, which
  // alone tell what the old icons and manual were.
  std::wstring OldProgramFolder() const;

  const ini::IniFile& settings_;
  const ini::IniFile* oldSettings_;
  const UNINSTStruct_INFO& record_;
};

// Removes the empty folders on the way from the folder of `start` (a shortcut's path, or a
// folder) up to `base`, which stays. Nothing outside `base` is touched.
void RemoveEmptyMenuFolders(const std::wstring& base, const std::wstring& start);
