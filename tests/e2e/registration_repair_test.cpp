// The "registry" mode on installations made by the wizard: a newer package's settings lie beside
// the program as Setup.ini, the installing package's as Setup_old.ini; the registration, the
// shortcuts, the record file and (for a new product folder) the files follow the new settings,
// and the updater is told "UpdaterFinish".
#include <gtest/gtest.h>
#include <shlobj.h>

#include <map>
#include <span>
#include <vector>

#include "tests/e2e/installed_product.h"
#include "tests/util/test_files.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;
using e2e::MachineValue;
using e2e::ProductSettings;

const wchar_t* const kUninstallValues[] = {L"DisplayName",    L"UninstallString", L"DisplayIcon",
                                           L"DisplayVersion", L"Publisher",       L"URLInfoAbout"};
const wchar_t* const kPrivateValues[] = {
    L"UninstOnAppDataDir",  L"Product",          L"FormCaption",       L"InstallDir",
    L"ExecOnBoot",          L"UninstRegFolder",  L"LINK_ProgramsExec", L"LINK_ProgramUnist",
    L"LINK_ProgramsManual", L"LINK_DesktopExec", L"OnlineUpdaterDir"};

// Where an installation of these settings lies.
struct Layout {
  explicit Layout(const ProductSettings& settings)
      : product(e2e::SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" +
                e2e::Widen(settings.programFiles)),
        program(product + L"\\" + e2e::Widen(settings.programFiles)),
        exe(program + L"\\Kestra.exe"),
        updater(product + L"\\Updater\\"),
        uninstallEntry(e2e::kUninstallKey + e2e::Widen(settings.programName)),
        privateKey(L"Software\\Kestra Software\\" + e2e::Widen(settings.programName)) {}
  std::wstring product;
  std::wstring program;
  std::wstring exe;
  std::wstring updater;
  std::wstring uninstallEntry;
  std::wstring privateKey;
};

// The Start-menu shortcuts of a product named `name` in its texts.
struct Menu {
  Menu(const std::wstring& publisherFolder, const std::wstring& name)
      : publisher(e2e::SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\" + publisherFolder),
        folder(publisher + L"\\" + name),
        exec(folder + L"\\" + name + L".lnk"),
        uninstall(folder + L"\\Uninstall " + name + L".lnk"),
        manual(folder + L"\\" + name + L" Manual.lnk"),
        desktop(e2e::SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + name + L".lnk") {}
  std::wstring publisher;
  std::wstring folder;
  std::wstring exec;
  std::wstring uninstall;
  std::wstring manual;
  std::wstring desktop;
};

std::map<std::wstring, std::optional<std::wstring>> Values(const std::wstring& key,
                                                           std::span<const wchar_t* const> names) {
  std::map<std::wstring, std::optional<std::wstring>> values;
  for (const wchar_t* name : names) values[name] = MachineValue(key, name);
  return values;
}

std::optional<std::wstring> ShortcutTarget(const std::wstring& link) {
  const auto shortcut = driver::ReadShortcut(link);
  if (!shortcut) return std::nullopt;
  return shortcut->target;
}

// Installs `before` from its own package, then runs the registry mode from a package holding
// `after` as Setup.ini, `before` as Setup_old.ini and the workbook `afterWorkbook`.
class RegistrationRepair : public testing::Test {
 protected:
  void Install(const std::wstring& name, const std::wstring& workbook,
               const ProductSettings& before) {
    before_ = before;
    installer_ = e2e::MakeProductPackage(name + L"-install", workbook, before, true);
    ASSERT_NO_FATAL_FAILURE(e2e::InstallThroughTheWizard(*installer_));
    ASSERT_TRUE(e2e::FileExists(Layout(before).exe));
  }

  void Repair(const std::wstring& name, const std::wstring& afterWorkbook,
              const ProductSettings& after, bool withOldSettings = true) {
    repair_ = std::make_unique<e2e::TestPackage>(name);
    repair_->AddTestData(afterWorkbook, L"Texts\\InstallWizard_Texts.xls");
    repair_->WriteText(L"Setup.ini", after.Text());
    if (withOldSettings) repair_->WriteText(L"Setup_old.ini", before_.Text());
    ASSERT_TRUE(e2e::RunsToItsEnd(*repair_, L"registry"))
        << "the mode ends by itself, without a message";
    EXPECT_FALSE(e2e::FileExists(repair_->Folder() + L"Setup_old.ini"))
        << "the old settings are gone after the run";
  }

  // The updater of `layout` was told once that the registration is done.
  static void ExpectUpdaterFinish(const Layout& layout) {
    const auto starts = e2e::WaitForRecordedStarts(layout.updater + L"Updater.exe", 1, 30s);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_TRUE(starts[0].ends_with(L"Updater.exe\" UpdaterFinish")) << e2e::Narrow(starts[0]);
  }

  ProductSettings before_;
  std::unique_ptr<e2e::TestPackage> installer_;
  std::unique_ptr<e2e::TestPackage> repair_;
};

// Round A: a new start-up name and new Start-menu texts.
TEST_F(RegistrationRepair, NewStartupNameAndMenuTextsMoveValueAndShortcuts) {
  const ProductSettings before{"KestraPhotoApp", "KestraPhoto", "KestraPhoto"};
  ProductSettings after = before;
  after.onBoot = "KestraPhotoStudio";
  ASSERT_NO_FATAL_FAILURE(Install(L"photo", L"Photo_Texts.xls", before));
  const Layout layout(before);
  const Menu oldMenu(L"Kestra Photo Works", L"Kestra Photo");
  const Menu newMenu(L"Kestra Imaging", L"Kestra Photo Studio");
  ASSERT_TRUE(e2e::FileExists(oldMenu.exec));
  ASSERT_TRUE(e2e::FileExists(oldMenu.desktop));
  const std::wstring record = layout.updater + L"Regedit_FileList.ini";
  const auto installedRecord = e2e::FileBytes(record);
  ASSERT_TRUE(installedRecord.has_value());
  // The updater folder is open to everybody: the record's name is a hard link that a user made
  // to a file of his own, which the rewrite must not touch.
  const std::wstring shared = L"C:\\record-shared-by-a-user.ini";
  const std::string recordText = *installedRecord + "[Notes]\r\nKept=yes\r\n";
  e2e::WriteFileText(shared, recordText);
  ASSERT_TRUE(::DeleteFileW(record.c_str()));
  ASSERT_TRUE(::CreateHardLinkW(record.c_str(), shared.c_str(), nullptr));

  ASSERT_NO_FATAL_FAILURE(Repair(L"photo-repair", L"PhotoStudio_Texts.xls", after));
  EXPECT_EQ(e2e::FileBytes(shared), std::optional<std::string>(recordText));

  EXPECT_EQ(e2e::RunValue(e2e::Widen(before.onBoot)), std::nullopt)
      << "the old start-up value is gone";
  EXPECT_EQ(e2e::RunValue(e2e::Widen(after.onBoot)),
            std::optional<std::wstring>(L"\"" + layout.exe + L"\" Minimum"));

  for (const std::wstring& gone :
       {oldMenu.exec, oldMenu.uninstall, oldMenu.manual, oldMenu.desktop}) {
    EXPECT_FALSE(e2e::FileExists(gone)) << e2e::Narrow(gone);
  }
  EXPECT_FALSE(e2e::FolderExists(oldMenu.folder)) << "the emptied menu folder is removed";
  EXPECT_FALSE(e2e::FolderExists(oldMenu.publisher)) << "and so is its emptied parent";
  EXPECT_TRUE(e2e::FolderExists(e2e::SpecialFolder(CSIDL_COMMON_PROGRAMS)));

  EXPECT_EQ(ShortcutTarget(newMenu.exec), std::optional<std::wstring>(layout.exe));
  EXPECT_EQ(ShortcutTarget(newMenu.manual),
            std::optional<std::wstring>(layout.program + L"\\Manual\\English.pdf"));
  EXPECT_EQ(ShortcutTarget(newMenu.desktop), std::optional<std::wstring>(layout.exe));
  const auto uninstall = driver::ReadShortcut(newMenu.uninstall);
  ASSERT_TRUE(uninstall.has_value());
  EXPECT_EQ(uninstall->arguments, L"uninstall");
  EXPECT_EQ(uninstall->iconPath, layout.program + L"\\Uninstall.ico");

  const std::wstring uninstaller =
      e2e::SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\KestraPhotoApp\\Setup.exe";
  EXPECT_EQ(uninstall->target, uninstaller);
  const struct {
    const wchar_t* name;
    std::wstring data;
  } kPrivate[] = {
      {L"ExecOnBoot", L"KestraPhotoStudio"},
      {L"LINK_ProgramsExec", newMenu.exec},
      {L"LINK_ProgramUnist", newMenu.uninstall},
      {L"LINK_ProgramsManual", newMenu.manual},
      {L"LINK_DesktopExec", newMenu.desktop},
      {L"UninstOnAppDataDir", uninstaller},
      {L"InstallDir", layout.product},
      {L"OnlineUpdaterDir", layout.product + L"\\Updater"},
  };
  for (const auto& value : kPrivate) {
    EXPECT_EQ(MachineValue(layout.privateKey, value.name), std::optional<std::wstring>(value.data))
        << e2e::Narrow(value.name);
  }
  EXPECT_EQ(MachineValue(layout.uninstallEntry, L"DisplayName"),
            std::optional<std::wstring>(L"Kestra Photo Studio"));

  // The record file is written anew: new lines where the values changed, the rest kept.
  const auto rewritten = e2e::FileBytes(record);
  ASSERT_TRUE(rewritten.has_value());
  const std::string exe = e2e::Narrow(layout.exe);
  for (const std::string& line : std::vector<std::string>{
           "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
           "KestraPhoto=" +
               exe + "\r\nKestraPhotoStudio=" + exe + "\r\n",
           "DisplayName=Kestra Photo Studio\r\n", "ExecOnBoot=KestraPhotoStudio\r\n",
           "LINK_ProgramsExec=" + e2e::Narrow(newMenu.exec) + "\r\n",
           std::string("[Notes]\r\nKept=yes\r\n")}) {
    EXPECT_NE(rewritten->find(line), std::string::npos) << line;
  }
  EXPECT_EQ(rewritten->find("Kestra Photo Works"), std::string::npos) << "no old link is listed";

  ExpectUpdaterFinish(layout);
}

// Round B: a new product name moves the uninstall entry and the private folder.
TEST_F(RegistrationRepair, NewProductNameReplacesUninstallEntryAndPrivateFolder) {
  const ProductSettings before{"KestraPenApp", "KestraPen", "KestraPen"};
  ProductSettings after = before;
  after.programName = "KestraPenNext";
  ASSERT_NO_FATAL_FAILURE(Install(L"pen", L"Pen_Texts.xls", before));
  const Layout oldLayout(before);
  const Layout newLayout(after);
  const auto installedPrivate = Values(oldLayout.privateKey, kPrivateValues);
  const auto installedEntry = Values(oldLayout.uninstallEntry, kUninstallValues);

  ASSERT_NO_FATAL_FAILURE(Repair(L"pen-repair", L"Pen_Texts.xls", after));

  EXPECT_FALSE(e2e::MachineKeyExists(oldLayout.uninstallEntry))
      << "the old uninstall entry is gone";
  EXPECT_FALSE(e2e::MachineKeyExists(oldLayout.privateKey)) << "the old private folder is gone";
  EXPECT_EQ(Values(newLayout.uninstallEntry, kUninstallValues), installedEntry)
      << "the new entry holds what the old one held";
  auto expectedPrivate = installedPrivate;
  expectedPrivate[L"UninstRegFolder"] = L"KestraPenNext";
  EXPECT_EQ(Values(newLayout.privateKey, kPrivateValues), expectedPrivate);

  const auto record = e2e::FileBytes(newLayout.updater + L"Regedit_FileList.ini");
  ASSERT_TRUE(record.has_value());
  EXPECT_NE(record->find("[HKEY_LOCAL_MACHINE\\" + e2e::Narrow(newLayout.uninstallEntry) +
                         "]\r\nDisplayName=Kestra Pen\r\n"),
            std::string::npos);
  EXPECT_NE(record->find("[HKEY_LOCAL_MACHINE\\Software\\Kestra Software\\KestraPenNext]\r\n"
                         "UninstOnAppDataDir="),
            std::string::npos);
  ExpectUpdaterFinish(newLayout);
}

// Round C: a new product folder; the installation moves and the old folder is emptied.
TEST_F(RegistrationRepair, NewProductFolderMovesTheInstallation) {
  const ProductSettings before{"KestraOcrApp", "KestraOCR", "KestraOCR"};
  ProductSettings after = before;
  after.programFiles = "KestraOcrNext";
  ASSERT_NO_FATAL_FAILURE(Install(L"ocr", L"Ocr_Texts.xls", before));
  const Layout oldLayout(before);
  const Layout newLayout(after);
  // A link that a local user planted in the product folder, which everybody may write to.
  const std::wstring outside = L"C:\\repair-outside\\";
  e2e::WriteFileText(outside + L"victim.txt", "outside");
  ASSERT_TRUE(test_files::PlantLink(oldLayout.product + L"\\planted", outside));

  ASSERT_NO_FATAL_FAILURE(Repair(L"ocr-repair", L"Ocr_Texts.xls", after));

  EXPECT_EQ(e2e::FileBytes(outside + L"victim.txt"), std::optional<std::string>("outside"));
  EXPECT_FALSE(e2e::FileExists(newLayout.product + L"\\planted\\victim.txt"))
      << "the move copies no link";
  EXPECT_TRUE(e2e::FolderExists(oldLayout.product)) << "the old folder itself stays";
  EXPECT_FALSE(e2e::FolderExists(oldLayout.program));
  EXPECT_FALSE(e2e::FolderExists(oldLayout.updater));
  const std::wstring moved = newLayout.product + L"\\KestraOcrApp\\";
  EXPECT_EQ(e2e::FileBytes(moved + L"Kestra.exe"),
            std::optional<std::string>("MZ the Kestra program"));
  EXPECT_EQ(e2e::FileBytes(moved + L"Manual\\English.pdf"),
            std::optional<std::string>("%PDF manual"));
  EXPECT_TRUE(e2e::FileExists(newLayout.updater + L"Upgrade.ini"));

  EXPECT_EQ(MachineValue(newLayout.privateKey, L"InstallDir"),
            std::optional<std::wstring>(newLayout.product));
  EXPECT_EQ(MachineValue(newLayout.privateKey, L"OnlineUpdaterDir"),
            std::optional<std::wstring>(newLayout.product + L"\\Updater"));
  EXPECT_EQ(e2e::RunValue(e2e::Widen(after.onBoot)),
            std::optional<std::wstring>(L"\"" + newLayout.exe + L"\" Minimum"));
  const Menu menu(L"Kestra Software", L"Kestra OCR");
  EXPECT_EQ(ShortcutTarget(menu.exec), std::optional<std::wstring>(newLayout.exe))
      << "the program shortcut follows the program";
  EXPECT_EQ(ShortcutTarget(menu.desktop), std::optional<std::wstring>(newLayout.exe));
  const auto record = e2e::FileBytes(newLayout.updater + L"Regedit_FileList.ini");
  ASSERT_TRUE(record.has_value());
  EXPECT_NE(record->find("InstallDir=" + e2e::Narrow(newLayout.product) + "\r\n"),
            std::string::npos);
  ExpectUpdaterFinish(newLayout);
}

// Round D: the same settings again; nothing is moved, deleted or made anew.
TEST_F(RegistrationRepair, UnchangedSettingsRewriteEqualValues) {
  const ProductSettings settings{"KestraLensApp", "KestraLens", "KestraLens"};
  ASSERT_NO_FATAL_FAILURE(Install(L"lens", L"Lens_Texts.xls", settings));
  const Layout layout(settings);
  const Menu menu(L"Kestra Software", L"Kestra Lens");
  const auto privateValues = Values(layout.privateKey, kPrivateValues);
  const auto entryValues = Values(layout.uninstallEntry, kUninstallValues);
  const auto runValue = e2e::RunValue(e2e::Widen(settings.onBoot));
  std::map<std::wstring, std::optional<ULONGLONG>> written;
  for (const std::wstring& file :
       {menu.exec, menu.uninstall, menu.manual, menu.desktop, layout.exe}) {
    written[file] = e2e::LastWriteTime(file);
    ASSERT_TRUE(written[file].has_value()) << e2e::Narrow(file);
  }
  const auto record = e2e::FileBytes(layout.updater + L"Regedit_FileList.ini");

  ASSERT_NO_FATAL_FAILURE(Repair(L"lens-repair", L"Lens_Texts.xls", settings));

  EXPECT_EQ(Values(layout.privateKey, kPrivateValues), privateValues);
  EXPECT_EQ(Values(layout.uninstallEntry, kUninstallValues), entryValues);
  EXPECT_EQ(e2e::RunValue(e2e::Widen(settings.onBoot)), runValue);
  for (const auto& [file, time] : written) {
    EXPECT_EQ(e2e::LastWriteTime(file), time) << e2e::Narrow(file) << " is untouched";
  }
  EXPECT_EQ(e2e::FileBytes(layout.updater + L"Regedit_FileList.ini"), record)
      << "the record file reads as before";
  ExpectUpdaterFinish(layout);
}

// The product folder named again with another letter case is the same folder: nothing is copied
// onto it and nothing in it is deleted. (A trailing separator is no plain folder name: such
// settings are refused before anything changes.)
TEST_F(RegistrationRepair, SameFolderSpelledOtherwiseIsNeverCleared) {
  const ProductSettings settings{"KestraSlateApp", "KestraSlate", "KestraSlate"};
  ASSERT_NO_FATAL_FAILURE(Install(L"slate", L"Slate_Texts.xls", settings));
  const Layout layout(settings);
  const struct {
    const wchar_t* name;
    const char* programFiles;
  } kSpellings[] = {{L"slate-case", "kestraslateapp"}};
  for (const auto& spelling : kSpellings) {
    SCOPED_TRACE(spelling.programFiles);
    ProductSettings after = settings;
    after.programFiles = spelling.programFiles;
    ASSERT_NO_FATAL_FAILURE(Repair(spelling.name, L"Slate_Texts.xls", after));
    EXPECT_EQ(e2e::FileBytes(layout.exe), std::optional<std::string>("MZ the Kestra program"));
    EXPECT_EQ(e2e::FileBytes(layout.program + L"\\Manual\\English.pdf"),
              std::optional<std::string>("%PDF manual"));
    EXPECT_TRUE(e2e::FileExists(layout.updater + L"Upgrade.ini"));
    EXPECT_TRUE(e2e::FileExists(layout.updater + L"Regedit_FileList.ini"));
  }
}

}  // namespace
