// The application object: the settings file, the paths derived from it, the chosen language,
// the text store and the facts of the run. One object in static storage, reached as `App`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/setup_settings.h"
#include "localisation/language_management.h"

struct STRUCT_AppPath {
  std::wstring SetupIniPath;
  std::wstring ProgramFilesDir;
  std::wstring InstallRootDir;
  std::wstring ProgramDir;
  std::wstring OldProgramDir;
  std::wstring ProgramExePath;
  std::wstring UninstallerPath;
  std::wstring UpdaterDir;
  std::wstring LinkProgramsExec;
  std::wstring LinkProgramUnist;
  std::wstring LinkProgramsManual;
  std::wstring LinkDesktopExec;
  std::wstring MacroBackupDir;
  std::wstring RunKey;
  std::wstring PrivateKeyTemplate;
  std::wstring UninstallKey;
};

struct STRUCT_AppInfo {
  std::uint16_t LanguageCode = 0;
  std::wstring Language;
  std::wstring ProductName;
  std::wstring TextSection;
  std::wstring Version;
  std::int32_t RunState = 0;  // 0 undecided, 1 install afresh, 2 same or older installed, 4 newer
};

class TApp : public TlanguageManagement {
 public:
  STRUCT_AppPath Paths;
  STRUCT_AppInfo Info;
  std::optional<SetupSettings> Settings;  // absent when Setup.ini does not exist

  // Start-up: opens Setup.ini beside the program, chooses the language and loads the texts.
  // `executableFolder` ends with "\".
  void Initialize(const std::wstring& executableFolder);

  // A value of section "Setup" of the settings read at start-up; `defaultValue` when the key
  // (or the whole file) is absent.
  std::wstring Setting(const std::wstring& key, const std::wstring& defaultValue = L"") const;
};

extern TApp App;

// A value of section "Setup" read from Setup.ini as it is now, for the readers that do not use
// the copy read at start-up; nothing when the file does not exist.
std::optional<std::wstring> ReadSettingAfresh(const std::wstring& key,
                                              const std::wstring& defaultValue);

// The folder of the running program, with a trailing "\".
std::wstring ExecutableFolder();
