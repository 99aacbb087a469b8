// The installation record built from a context made here, not from the application object: the
// values of the uninstall entry and of the private key, the product's shortcut table, and the
// registration rewrite against the registry and Start menu of a fresh Wine prefix.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/ini_file.h"
#include "record/product_shortcuts.h"
#include "record/record_values.h"
#include "record/registration_rewrite.h"
#include "tests/util/test_files.h"
#include "tools/driver/driver.h"

namespace {

constexpr wchar_t kTemplates[] = L"C:\\ProgramData\\Microsoft\\Windows\\Templates";
constexpr wchar_t kPrograms[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

SetupSettings SettingsOf(const std::string& lines) {
  const std::string text = "[Setup]\r\n" + lines;
  return SetupSettings(
      ini::IniFile::FromBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));
}

// A package of Kestra Capture: `product` names its entry, its folders and its Start-menu folder,
// so that each test has its own.
struct TestProduct {
  explicit TestProduct(const std::wstring& product, const std::string& extra = "")
      : name(product),
        // The first value of a key counts: `extra` comes first to replace the usual ones.
        settings(SettingsOf(extra + "%PUBLISHER=Kestra\r\n%REG_FODLER_PROGNAME=" + Narrow(product) +
                            "\r\n%PROGRAM_FILES=" + Narrow(product) +
                            "\r\n%PROGRAM_EXEC=Kestra.exe\r\n%PROGRAM_VERSION=2.0.1\r\n"
                            "%PROGRAM_FORMCAPTION=Kestra Capture\r\n%PROGRAM_ONBOOT=" +
                            Narrow(product) +
                            "Boot\r\n%UPDATER_DIR=Updater\r\n%UNINST_ICO=Icons\\Uninstall.ico\r\n"
                            "%MANUAL_ICO=Icons\\Manual.ico\r\n%MANUAL_DIR=Manual\\\r\n")) {
    paths.InstallRootDir = L"C:\\record-tests\\" + product;
    paths.ProgramDir = paths.InstallRootDir + L"\\" + product;
    paths.ProgramExePath = paths.ProgramDir + L"\\Kestra.exe";
    paths.UninstallerPath = std::wstring(kTemplates) + L"\\" + product + L"\\Setup.exe";
    paths.LinkProgramsExec = L"C:\\menu\\Kestra.lnk";
    paths.LinkProgramUnist = L"C:\\menu\\Uninstall.lnk";
    paths.LinkProgramsManual = L"C:\\menu\\Manual.lnk";
    paths.LinkDesktopExec = L"C:\\desktop\\Kestra.lnk";
    paths.RunKey = kRunKeyPath;
    paths.UninstallKey = kUninstallKeyPath;
    paths.PrivateKeyTemplate = L"Software\\%PUBLISHER\\%REG_FODLER_PROGNAME\\";
    texts.Set(L"UNINSTALL", L"DISPLAY_NAME", L"Kestra Capture 2");
    texts.Set(L"UNINSTALL", L"PUBLISHER", L"Kestra Imaging");
    texts.Set(L"UNINSTALL", L"URL", L"https://kestra.example/");
    texts.Set(L"UNINSTALL", L"LINK_PROGRAMS_PUBLISHER", L"Kestra " + product);
    texts.Set(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER", L"Capture");
    texts.Set(L"UNINSTALL", L"LINK_PROGRAMS_EXEC", L"Kestra Capture");
    texts.Set(L"UNINSTALL", L"LINK_PROGRAMS_UNIST", L"Uninstall Kestra");
    texts.Set(L"UNINSTALL", L"LINK_PROGRAMS_MANUAL", L"Kestra Manual");
    texts.Set(L"UNINSTALL", L"LINK_DESKTOP", L"Kestra on the desktop");
  }

  static std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
  }

  RunFacts Facts() const {
    return {&texts, L"German", L"Kestra Capture", prepare::RunMode::kInstall,
            prepare::kRunStateInstall};
  }
  std::wstring Menu() const { return std::wstring(kPrograms) + L"\\Kestra " + name + L"\\Capture"; }

  std::wstring name;
  SetupSettings settings;
  STRUCT_AppPath paths;
  localisation::TextStore texts;
};

using Values = std::vector<ini::IniEntry>;

void ExpectValues(const Values& actual, const Values& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual[i].key, expected[i].key) << i;
    EXPECT_EQ(actual[i].value, expected[i].value) << testing::PrintToString(expected[i].key);
  }
}

Values UninstallEntryValues(const std::wstring& name) {
  const std::wstring backup = std::wstring(kTemplates) + L"\\" + name;
  return {{L"DisplayName", L"Kestra Capture 2"},
          {L"UninstallString", L"\"" + backup + L"\\Setup.exe\" uninstall"},
          {L"DisplayIcon", L"C:\\record-tests\\" + name + L"\\" + name + L"\\Kestra.exe"},
          {L"DisplayVersion", L"2.0.1"},
          {L"Publisher", L"Kestra Imaging"},
          {L"URLInfoAbout", L"https://kestra.example/"}};
}

TEST(RecordValues, TheUninstallEntryHoldsTheTextsSettingsAndBackupFolder) {
  const TestProduct product(L"RecordEntry");
  const RecordKey entry = UninstallEntryKey(product.settings, product.paths,
                                            LocateInstallBackup(product.settings), product.Facts());
  EXPECT_EQ(entry.keyPath, std::wstring(kUninstallKeyPath) + L"RecordEntry");
  EXPECT_EQ(entry.sectionName,
            L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
            L"RecordEntry");
  ExpectValues(entry.values, UninstallEntryValues(L"RecordEntry"));
}

struct PrivateKeyCase {
  const char* name;
  const char* manual;  // %MANULA_EXIST
  bool manualListed;
};

class PrivateKeyValues : public testing::TestWithParam<PrivateKeyCase> {};

TEST_P(PrivateKeyValues, ListTheFoldersAndShortcutsInTheirOrder) {
  const TestProduct product(L"RecordKey",
                            std::string("%MANULA_EXIST=") + GetParam().manual + "\r\n");
  const RecordKey key = PrivateFolderKey(product.settings, product.paths);
  EXPECT_EQ(key.keyPath, L"Software\\Kestra\\RecordKey\\");
  EXPECT_EQ(key.sectionName, L"HKEY_LOCAL_MACHINE\\Software\\Kestra\\RecordKey");
  Values expected = {{L"UninstOnAppDataDir", std::wstring(kTemplates) + L"\\RecordKey\\Setup.exe"},
                     {L"Product", L"RecordKey"},
                     {L"FormCaption", L"Kestra Capture"},
                     {L"InstallDir", L"C:\\record-tests\\RecordKey"},
                     {L"ExecOnBoot", L"RecordKeyBoot"},
                     {L"UninstRegFolder", L"RecordKey"},
                     {L"LINK_ProgramsExec", L"C:\\menu\\Kestra.lnk"},
                     {L"LINK_ProgramUnist", L"C:\\menu\\Uninstall.lnk"}};
  if (GetParam().manualListed)
    expected.push_back({L"LINK_ProgramsManual", L"C:\\menu\\Manual.lnk"});
  expected.push_back({L"LINK_DesktopExec", L"C:\\desktop\\Kestra.lnk"});
  expected.push_back({L"OnlineUpdaterDir", L"C:\\record-tests\\RecordKey\\Updater"});
  ExpectValues(key.values, expected);
}

INSTANTIATE_TEST_SUITE_P(Manual, PrivateKeyValues,
                         testing::Values(PrivateKeyCase{"WithManual", "1", true},
                                         PrivateKeyCase{"WithoutManual", "0", false},
                                         PrivateKeyCase{"NotOne", "yes", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordValues, TheStartupValueNamesThePlainExecutable) {
  const TestProduct product(L"RecordBoot");
  const RecordKey startup = StartupEntryKey(product.settings, product.paths);
  EXPECT_EQ(startup.sectionName,
            L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  ExpectValues(startup.values,
               {{L"RecordBootBoot", L"C:\\record-tests\\RecordBoot\\RecordBoot\\Kestra.exe"}});
  EXPECT_EQ(StartupValueData(product.paths.ProgramExePath),
            L"\"C:\\record-tests\\RecordBoot\\RecordBoot\\Kestra.exe\" Minimum");
}

struct ShortcutTableCase {
  const char* name;
  const char* extra;
  std::vector<ShortcutKind> kinds;
  std::wstring menuBelowPrograms;
};

class ShortcutTable : public testing::TestWithParam<ShortcutTableCase> {};

TEST_P(ShortcutTable, NamesEveryShortcutOnce) {
  const ShortcutTableCase& c = GetParam();
  const TestProduct product(L"Table", c.extra);
  const ProductShortcuts shortcuts =
      BuildProductShortcuts(product.settings, product.paths, product.Facts());
  EXPECT_EQ(shortcuts.programsFolder, kPrograms);
  EXPECT_EQ(shortcuts.menuFolder, std::wstring(kPrograms) + c.menuBelowPrograms);
  const std::wstring menu = shortcuts.menuFolder + L"\\";
  const std::wstring program = L"C:\\record-tests\\Table\\Table\\";
  const std::wstring desktop = test_files::SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\";
  const std::vector<ProductShortcut> every = {
      {ShortcutKind::kProgram, menu + L"Kestra Capture.lnk", program + L"Kestra.exe", L"",
       program + L"Kestra.exe", L"Kestra Capture"},
      {ShortcutKind::kUninstaller, menu + L"Uninstall Kestra.lnk",
       std::wstring(kTemplates) + L"\\Table\\Setup.exe", L"uninstall",
       program + L"Icons\\Uninstall.ico", L"Uninstall Kestra"},
      {ShortcutKind::kManual, menu + L"Kestra Manual.lnk", program + L"Manual\\German.pdf", L"",
       program + L"Icons\\Manual.ico", L"Kestra Manual"},
      {ShortcutKind::kDesktop, desktop + L"Kestra on the desktop.lnk", program + L"Kestra.exe", L"",
       program + L"Kestra.exe", L"Kestra Capture"}};
  std::vector<ProductShortcut> expected;
  for (const ProductShortcut& row : every) {
    for (ShortcutKind kind : c.kinds) {
      if (row.kind == kind) expected.push_back(row);
    }
  }
  ASSERT_EQ(shortcuts.rows.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const ProductShortcut& row = shortcuts.rows[i];
    SCOPED_TRACE(
        testing::PrintToString(std::wstring(ShortcutRecordOf(expected[i].kind).valueName)));
    EXPECT_EQ(row.kind, expected[i].kind);
    EXPECT_EQ(row.link, expected[i].link);
    EXPECT_EQ(row.target, expected[i].target);
    EXPECT_EQ(row.arguments, expected[i].arguments);
    EXPECT_EQ(row.icon, expected[i].icon);
    EXPECT_EQ(row.description, expected[i].description);
  }
}

using enum ShortcutKind;
INSTANTIATE_TEST_SUITE_P(
    Settings, ShortcutTable,
    testing::Values(ShortcutTableCase{"WithManual",
                                      "%MANULA_EXIST=1\r\n",
                                      {kProgram, kUninstaller, kManual, kDesktop},
                                      L"\\Kestra Table\\Capture"},
                    ShortcutTableCase{"WithoutManual",
                                      "%MANULA_EXIST=0\r\n",
                                      {kProgram, kUninstaller, kDesktop},
                                      L"\\Kestra Table\\Capture"},
                    // An OEM package has no publisher's folder in the Start menu.
                    ShortcutTableCase{"Oem",
                                      "%MANULA_EXIST=1\r\n%PUBLISHER=OEM\r\n",
                                      {kProgram, kUninstaller, kManual, kDesktop},
                                      L"\\Capture"}),
    [](const auto& info) { return std::string(info.param.name); });

// The registration rewrite, from a record whose shortcuts were made with the description
// "before": a shortcut made again carries its row's description.
struct RewriteCase {
  const char* name;
  const char* oldExtra;  // nullptr: no old settings
  const char* newExtra;
  bool recordedInPlace;  // the record names the links the new settings give
  std::vector<ShortcutKind> madeAgain;
  bool manualGone;
};

class RegistrationRewrite : public testing::TestWithParam<RewriteCase> {};

TEST_P(RegistrationRewrite, MakesAgainWhatChangedAndWritesTheRecord) {
  const RewriteCase& c = GetParam();
  const std::wstring name = L"Rewrite" + std::wstring(c.name, c.name + std::strlen(c.name));
  const TestProduct product(name, c.newExtra);
  const std::optional<SetupSettings> old =
      c.oldExtra ? std::optional(TestProduct(name, c.oldExtra).settings) : std::nullopt;
  for (const wchar_t* file : {L"Kestra.exe", L"Old.exe", L"Icons\\Uninstall.ico",
                              L"Icons\\Manual.ico", L"Manual\\German.pdf"}) {
    test_files::WriteText(product.paths.ProgramDir + L"\\" + file, "x");
  }
  test_files::WriteText(product.paths.UninstallerPath, "MZ");

  // The installation's shortcuts, as the record names them.
  UNINSTStruct_INFO record;
  record.InstallDir = product.paths.InstallRootDir;
  record.Product = name;
  record.UninstRegFolder = name;
  const std::wstring recordedMenu =
      c.recordedInPlace ? product.Menu() : std::wstring(kPrograms) + L"\\Kestra " + name + L"\\Old";
  test_files::MakeFolders(recordedMenu);
  const TestProduct recorded(name, "%MANULA_EXIST=1\r\n");
  for (ProductShortcut row :
       BuildProductShortcuts(recorded.settings, recorded.paths, recorded.Facts()).rows) {
    if (row.kind != kDesktop) row.link = recordedMenu + row.link.substr(row.link.rfind(L'\\'));
    row.description = L"before";
    ASSERT_TRUE(MakeShortcut(row));
    record.*ShortcutRecordOf(row.kind).recordLink = row.link;
  }

  TRegistrationRewrite(product.settings, old ? &*old : nullptr, record, product.paths,
                       product.Facts())
      .RewriteRegistration();

  const ProductShortcuts now =
      BuildProductShortcuts(product.settings, product.paths, product.Facts());
  for (const ProductShortcut& row : now.rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(ShortcutRecordOf(row.kind).valueName)));
    const bool again =
        std::find(c.madeAgain.begin(), c.madeAgain.end(), row.kind) != c.madeAgain.end();
    const auto shortcut = driver::ReadShortcut(again ? row.link : RecordedLink(record, row.kind));
    ASSERT_TRUE(shortcut.has_value());
    EXPECT_EQ(shortcut->description, again ? row.description : L"before");
    if (again && row.link != RecordedLink(record, row.kind)) {
      EXPECT_FALSE(test_files::IsFile(RecordedLink(record, row.kind))) << "the old link goes";
    }
  }
  if (c.manualGone) {
    EXPECT_FALSE(test_files::IsFile(record.LINK_ProgramsManual));
  }

  // The record names what the rewrite left.
  const auto value = [](const std::wstring& key, const wchar_t* valueName) {
    return driver::ReadRegistryString(HKEY_LOCAL_MACHINE, key, valueName).value_or(L"(none)");
  };
  const std::wstring entry = std::wstring(kUninstallKeyPath) + name;
  for (const ini::IniEntry& expected : UninstallEntryValues(name)) {
    EXPECT_EQ(value(entry, expected.key.c_str()), expected.value)
        << testing::PrintToString(expected.key);
  }
  const std::wstring privateKey = L"Software\\Kestra\\" + name;
  for (const ProductShortcut& row : now.rows) {
    const std::wstring link =
        std::find(c.madeAgain.begin(), c.madeAgain.end(), row.kind) != c.madeAgain.end()
            ? row.link
            : RecordedLink(record, row.kind);
    const wchar_t* valueName = ShortcutRecordOf(row.kind).valueName;
    EXPECT_EQ(value(privateKey, valueName), link)
        << testing::PrintToString(std::wstring(valueName));
  }
  EXPECT_EQ(value(privateKey, L"LINK_ProgramsManual") == L"(none)", c.manualGone);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RegistrationRewrite,
    testing::Values(
        RewriteCase{"Same", "%MANULA_EXIST=1\r\n", "%MANULA_EXIST=1\r\n", true, {}, false},
        RewriteCase{"MenuRenamed",
                    "%MANULA_EXIST=1\r\n",
                    "%MANULA_EXIST=1\r\n",
                    false,
                    {kProgram, kUninstaller, kManual},
                    false},
        RewriteCase{"ProgramMoved",
                    "%MANULA_EXIST=1\r\n%PROGRAM_EXEC=Old.exe\r\n",
                    "%MANULA_EXIST=1\r\n",
                    true,
                    {kProgram, kDesktop},
                    false},
        RewriteCase{"IconChanged",
                    "%MANULA_EXIST=1\r\n%UNINST_ICO=Icons\\Old.ico\r\n",
                    "%MANULA_EXIST=1\r\n",
                    true,
                    {kUninstaller},
                    false},
        // Without the old settings nothing tells the old icons and manual.
        RewriteCase{
            "NoOldSettings", nullptr, "%MANULA_EXIST=1\r\n", true, {kUninstaller, kManual}, false},
        RewriteCase{"ManualDropped", "%MANULA_EXIST=1\r\n", "%MANULA_EXIST=0\r\n", true, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
