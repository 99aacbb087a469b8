// The application object: the settings file, the paths derived from it, the chosen language,
// the text store and the facts of the run. One object in static storage, reached as `App`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/app_paths.h"
#include "app/run_facts.h"
#include "app/setup_settings.h"
#include "core/prepare/run_state.h"
#include "localisation/language_management.h"
#include "util/executable_folder.h"

struct STRUCT_AppInfo {
  std::uint16_t LanguageCode = 0;
  std::wstring Language;
  std::wstring ProductName;
  std::wstring TextSection;
  std::wstring Version;
  prepare::RunState RunState = prepare::kRunStateUndecided;
};

class TApp {
 public:
  STRUCT_AppPath Paths;
  STRUCT_AppInfo Info;
  std::optional<SetupSettings> Settings;  // absent when Setup.ini does not exist
  TlanguageManagement Language;           // the texts of the run's language

  // Start-up: opens Setup.ini beside the program, chooses the language and loads the texts.
  // `executableFolder` ends with "\". The caller tells the user when the texts cannot be loaded.
  [[nodiscard]] TextLoadFailure Initialize(const std::wstring& executableFolder);

  // The text store; null until a workbook has been found.
  const localisation::TextStore* Texts() const { return Language.Texts.get(); }
  std::wstring GetText(const std::wstring& section, const std::wstring& identifier) const {
    return Language.GetText(section, identifier);
  }
  std::wstring TextOrBuiltIn(const std::wstring& section, const std::wstring& identifier) const {
    return Language.TextOrBuiltIn(section, identifier);
  }
  // What a worker started now for `mode` is handed of the run.
  [[nodiscard]] RunFacts Facts(prepare::RunMode mode) const;

  // A value of section "Setup" of the settings read at start-up; `defaultValue` when the key
  // (or the whole file) is absent.
  std::wstring Setting(const std::wstring& key, const std::wstring& defaultValue = L"") const;
};

extern TApp App;

// A value of section "Setup" read from Setup.ini as it is now, for the readers that do not use
// the copy read at start-up; nothing when the file does not exist.
std::optional<std::wstring> ReadSettingAfresh(const std::wstring& key,
                                              const std::wstring& defaultValue);
