// The folder-name rules that keep names from a package one step below the folder they are joined
// to, and which settings and texts each mode holds to them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "core/folders/name_rules.h"
#include "core/prepare/name_settings.h"

namespace {

using folders::NameProblem;

struct NameCase {
  std::wstring name;
  NameProblem plain;     // as one folder or file name
  NameProblem relative;  // as a relative path
};

TEST(FolderNameRules, EachNameBreaksTheRuleItShould) {
  const NameCase cases[] = {
      {L"Kestra Capture", NameProblem::kNone, NameProblem::kNone},
      {L"Setup.exe", NameProblem::kNone, NameProblem::kNone},
      {L"@@", NameProblem::kNone, NameProblem::kNone},
      {L"CONSOLE", NameProblem::kNone, NameProblem::kNone},
      {L"", NameProblem::kEmpty, NameProblem::kNone},
      {L".", NameProblem::kDots, NameProblem::kDots},
      {L"..", NameProblem::kDots, NameProblem::kDots},
      {L". .", NameProblem::kDots, NameProblem::kDots},
      {L"a\\b", NameProblem::kForbiddenCharacter, NameProblem::kNone},
      {L"Data\\", NameProblem::kForbiddenCharacter, NameProblem::kNone},
      {L"a/b", NameProblem::kForbiddenCharacter, NameProblem::kNone},
      {L"C:x", NameProblem::kForbiddenCharacter, NameProblem::kForbiddenCharacter},
      {L"C:\\x", NameProblem::kForbiddenCharacter, NameProblem::kForbiddenCharacter},
      {L"a*b", NameProblem::kForbiddenCharacter, NameProblem::kForbiddenCharacter},
      {L"a\tb", NameProblem::kForbiddenCharacter, NameProblem::kForbiddenCharacter},
      {L"name.", NameProblem::kTrailingDotOrBlank, NameProblem::kTrailingDotOrBlank},
      {L"name ", NameProblem::kTrailingDotOrBlank, NameProblem::kTrailingDotOrBlank},
      {L"CON", NameProblem::kDeviceName, NameProblem::kDeviceName},
      {L"nul.txt", NameProblem::kDeviceName, NameProblem::kDeviceName},
      {L"COM1", NameProblem::kDeviceName, NameProblem::kDeviceName},
      {L"\\x", NameProblem::kForbiddenCharacter, NameProblem::kRooted},
      {L"a\\\\b", NameProblem::kForbiddenCharacter, NameProblem::kRooted},
      {L"a\\..\\b", NameProblem::kForbiddenCharacter, NameProblem::kDots},
      {L"\\\\server\\share", NameProblem::kForbiddenCharacter, NameProblem::kRooted},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "name " << testing::PrintToString(c.name));
    EXPECT_EQ(folders::CheckPlainName(c.name), c.plain);
    EXPECT_EQ(folders::CheckRelativePath(c.name), c.relative);
  }
}

// A sample-like package whose values keep the rules, with one value replaced.
class NameSettingsTest : public testing::Test {
 protected:
  std::map<std::wstring, std::wstring> settings = {{L"%PROGRAM_FILES", L"Kestra Capture"},
                                                   {L"%PROGRAM_FILES_OLD", L"Kestra Capture 1"},
                                                   {L"%UPDATER_DIR", L"Kestra Updater"},
                                                   {L"%PROGRAM_EXEC", L"KestraCapture.exe"},
                                                   {L"%PUBLISHER", L"Kestra Software"},
                                                   {L"%REG_FODLER_PROGNAME", L"KestraCapture"},
                                                   {L"%UNINST_ICO", L"Icons\\Uninstall.ico"},
                                                   {L"%PROGRAM_DATA", L"Data\\"},
                                                   {L"%MANUAL_DIR", L"Manual\\"},
                                                   {L"%MANULA_EXIST", L"1"}};
  std::map<std::wstring, std::wstring> texts = {{L"LINK_PROGRAMS_PUBLISHER", L"Kestra Software"},
                                                {L"LINK_PROGRAMS_FOLDER", L"Kestra Capture"},
                                                {L"LINK_PROGRAMS_EXEC", L"Kestra Capture"},
                                                {L"LINK_PROGRAMS_UNIST", L"Uninstall"},
                                                {L"LINK_PROGRAMS_MANUAL", L"Manual"},
                                                {L"LINK_DESKTOP", L"Kestra Capture"}};

  std::optional<prepare::NameBreach> Breach(prepare::RunMode mode) const {
    const auto read = [](const std::map<std::wstring, std::wstring>& values) {
      return [&values](std::wstring_view key) {
        const auto found = values.find(std::wstring(key));
        return found == values.end() ? std::wstring() : found->second;
      };
    };
    return prepare::FindNameBreach(mode, read(settings), read(texts));
  }
};

TEST_F(NameSettingsTest, ASoundPackagePassesInEveryMode) {
  using prepare::RunMode;
  for (RunMode mode : {RunMode::kInstall, RunMode::kUpgrade, RunMode::kUninstall,
                       RunMode::kUninstallAnyway, RunMode::kUpdater, RunMode::kRegistry}) {
    EXPECT_FALSE(Breach(mode).has_value()) << static_cast<int>(mode);
  }
}

struct ModeCase {
  const wchar_t* key;
  std::wstring_view value;
  prepare::RunMode mode;
  bool refused;
};

TEST_F(NameSettingsTest, AModeRefusesOnlyTheValuesItUses) {
  using prepare::RunMode;
  using namespace std::string_view_literals;
  const ModeCase cases[] = {
      {L"%PROGRAM_FILES", L"", RunMode::kInstall, true},
      {L"%PROGRAM_FILES", L"..", RunMode::kRegistry, true},
      {L"%PROGRAM_FILES", L"..", RunMode::kUninstall, false},
      {L"%PROGRAM_FILES_OLD", L"", RunMode::kInstall, false},
      {L"%PROGRAM_FILES_OLD", L".", RunMode::kUpgrade, true},
      {L"%UPDATER_DIR", L"a\\b", RunMode::kInstall, true},
      {L"%REG_FODLER_PROGNAME", L"", RunMode::kUninstall, false},
      {L"%REG_FODLER_PROGNAME", L"..", RunMode::kUninstall, true},
      {L"%REG_FODLER_PROGNAME", L"", RunMode::kRegistry, true},
      {L"%PUBLISHER", L"", RunMode::kRegistry, true},
      {L"%PUBLISHER", L"", RunMode::kInstall, false},
      {L"%PUBLISHER", L"Microsoft\\Windows", RunMode::kUninstall, true},
      {L"%PUBLISHER", L"..", RunMode::kInstall, true},
      {L"%PUBLISHER", L"CON", RunMode::kUpdater, true},
      {L"%PUBLISHER", L"Kestra Software\0stray"sv, RunMode::kUninstallAnyway, false},
      {L"%PUBLISHER", L"..\0stray"sv, RunMode::kUninstallAnyway, true},
      {L"%PROGRAM_DATA", L"..\\", RunMode::kInstall, true},
      {L"%MANUAL_DIR", L"C:x\\", RunMode::kRegistry, true},
      {L"LINK_PROGRAMS_FOLDER", L"", RunMode::kInstall, false},
      {L"LINK_PROGRAMS_FOLDER", L"..", RunMode::kInstall, true},
      {L"LINK_PROGRAMS_PUBLISHER", L"CON", RunMode::kRegistry, true},
      {L"LINK_DESKTOP", L"", RunMode::kInstall, true},
      {L"LINK_PROGRAMS_MANUAL", L"name.", RunMode::kInstall, true},
      {L"LINK_DESKTOP", L"..", RunMode::kUninstallAnyway, false},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.key)) << " = "
                                    << testing::PrintToString(std::wstring(c.value)));
    auto& values = c.key[0] == L'%' ? settings : texts;
    const std::wstring kept = values[c.key];
    values[c.key] = c.value;
    const auto breach = Breach(c.mode);
    EXPECT_EQ(breach.has_value(), c.refused);
    if (breach) {
      EXPECT_EQ(breach->key, c.key);
    }
    values[c.key] = kept;
  }
}

}  // namespace
