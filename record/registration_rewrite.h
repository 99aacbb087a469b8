// Rewrites an installation's registration from a newer package's settings: the uninstall entry,
// the start-up value, the shortcuts and the private registry folder, each mirrored into the
// installation's record file when it has one. The product folder, program folder and executable
// are those of the paths it is given; the uninstaller, updater folder and shortcut paths are set
// in its own copy of them.
#pragma once

#include <string>

#include "app/app_paths.h"
#include "app/run_facts.h"
#include "app/setup_settings.h"
#include "record/record_values.h"
#include "record/uninst_struct_info.h"

class TRegistrationRewrite {
 public:
  // `settings` is the new Setup.ini, `oldSettings` Setup_old.ini (null when there is none), and
  // `record` what the installation recorded; all three outlive the object. `paths` are the
  // program's paths with the installation's folders; `facts` give the texts and the language.
  TRegistrationRewrite(const SetupSettings& settings, const SetupSettings* oldSettings,
                       const UNINSTStruct_INFO& record, const STRUCT_AppPath& paths,
                       RunFacts facts);

  void RewriteRegistration();
  void RewriteUninstallEntry();
  void RewriteStartupEntry();
  void RewriteShortcuts();
  void RewritePrivateFolder();

 private:
  std::wstring Setting(const std::wstring& key) const;
  std::wstring OldSetting(const std::wstring& key) const;
  // The program folder the record names, with a trailing "\"; "" without old settings, which
  // alone tell what the old icons and manual were.
  std::wstring OldProgramFolder() const;

  const SetupSettings& settings_;
  const SetupSettings* oldSettings_;
  const UNINSTStruct_INFO& record_;
  STRUCT_AppPath paths_;
  const RunFacts facts_;
};

// Removes the empty folders on the way from the folder of `start` (a shortcut's path, or a
// folder) up to `base`, which stays. Nothing outside `base` is touched.
void RemoveEmptyMenuFolders(const std::wstring& base, const std::wstring& start);
