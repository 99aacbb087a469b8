// Uninstallations as a user starts them: from the uninstall entry's command through the
// confirmation, and with "uninstallanyway" straight to the uninstall page. Afterwards only the
// user's scripts and macros, and whatever belongs to other products, may be left.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/installed_product.h"
#include "tests/e2e/machine_state.h"
#include "tests/e2e/test_package.h"
#include "tests/e2e/watched_run.h"
#include "tests/e2e/wizard_walk.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;
using driver::Process;
using namespace e2e;

TEST(Uninstall, FromTheUninstallEntryThroughTheConfirmation) {
  e2e::TestPackage package(L"uninstall-scan");
  package.AddTestData(L"Scan_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"EULA\\en\\Service.rtf", kLicence);
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=KestraScan\r\n%PROGRAM_FILES_OLD=KestraScanOld\r\n"
                    "%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=Scan.exe\r\n%PROGRAM_VERSION=1.0\r\n"
                    "%PUBLISHER=Kestra Labs\r\n%REG_FODLER_PROGNAME=KestraScan\r\n"
                    "%PROGRAM_ONBOOT=KestraScan\r\n%PROGRAM_FORMCAPTION=Kestra Scan\r\n"
                    "%MANULA_EXIST=1\r\n%MANUAL_DIR=Manual\\\r\n");
  package.WriteText(L"program files\\KestraScan\\Scan.exe", "scan");
  package.WriteText(L"program files\\KestraScan\\Manual\\English.pdf", "%PDF");
  package.WriteText(L"program files\\KestraScan\\Data\\Deep\\table.dat", "data");
  package.WriteText(L"program files\\KestraScanOld\\Old.dll", "old");
  package.WriteText(L"program files\\Updater\\Regedit_FileList.ini", "");

  RunInstallation(package);

  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraScan";
  const std::wstring program = product + L"\\KestraScan";
  const std::wstring publisherMenu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Labs";
  const std::wstring menu = publisherMenu + L"\\Kestra Scan";
  const std::wstring desktopLink =
      SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Kestra Scan.lnk";
  const std::wstring entry = std::wstring(kUninstallKey) + L"KestraScan";
  const std::wstring privateKey = L"Software\\Kestra Labs\\KestraScan";
  // What the installation left, so that its removal below means something.
  ASSERT_TRUE(FileExists(program + L"\\Scan.exe"));
  ASSERT_TRUE(FileExists(menu + L"\\Kestra Scan.lnk"));
  ASSERT_TRUE(FileExists(menu + L"\\Kestra Scan Manual.lnk"));
  ASSERT_TRUE(FileExists(desktopLink));
  ASSERT_TRUE(MachineKeyExists(privateKey));
  ASSERT_TRUE(RunValue(L"KestraScan").has_value());
  const auto uninstallString =
      driver::ReadRegistryString(HKEY_LOCAL_MACHINE, entry, L"UninstallString");
  ASSERT_TRUE(uninstallString.has_value());

  WriteFileText(program + L"\\ScriptsMacros\\My Macro.vbs", "the user's macro");
  WriteFileText(program + L"\\ScriptsMacros\\Sub\\script.txt", "the user's script");
  WriteStringValue(HKEY_CURRENT_USER, kRunKey, L"KestraOtherTool", L"other.exe");

  {
    // As Windows starts it from the list of installed programs.
    Process setup(*uninstallString, SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\KestraScan");
    HWND confirm = ShownPage(setup, L"TFUninstallConfirm");
    ASSERT_NE(confirm, nullptr) << "\"uninstall\" asks first";
    Click(confirm, L"OK");
    FinishUninstallation(setup);
  }

  EXPECT_FALSE(MachineKeyExists(entry));
  EXPECT_FALSE(MachineKeyExists(privateKey));
  EXPECT_FALSE(MachineKeyExists(L"Software\\Kestra Labs"))
      << "this was the publisher's last product";
  EXPECT_EQ(RunValue(L"KestraScan"), std::nullopt);
  EXPECT_EQ(RunValue(L"KestraOtherTool"), std::optional<std::wstring>(L"other.exe"));
  EXPECT_FALSE(FileExists(desktopLink));
  EXPECT_FALSE(FolderExists(menu));
  EXPECT_FALSE(FolderExists(publisherMenu)) << "nothing else was in the publisher's menu folder";
  EXPECT_TRUE(FolderExists(SpecialFolder(CSIDL_COMMON_PROGRAMS)));

  EXPECT_EQ(FolderNames(product), std::vector<std::wstring>{L"KestraScan"});
  EXPECT_EQ(FolderNames(program), std::vector<std::wstring>{L"ScriptsMacros"});
  EXPECT_EQ(FolderNames(program + L"\\ScriptsMacros"),
            (std::vector<std::wstring>{L"My Macro.vbs", L"Sub"}));
  EXPECT_TRUE(FileExists(program + L"\\ScriptsMacros\\Sub\\script.txt"));
}

// A record as an installation of the publisher's second product leaves it, with the first
// product's Start-menu folder and private key beside it.
struct SeededProduct {
  std::wstring product;
  std::wstring publisherMenu;
  std::wstring menu;
  std::wstring desktopLink;
  std::wstring privateKey;
  std::wstring entry;
};

SeededProduct SeedInstallation(const std::wstring& publisher, const std::wstring& regName,
                               const std::wstring& folderName) {
  SeededProduct seeded;
  seeded.product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + folderName;
  seeded.publisherMenu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\" + publisher;
  seeded.menu = seeded.publisherMenu + L"\\Kestra Scan";
  seeded.desktopLink = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + folderName + L".lnk";
  seeded.privateKey = L"Software\\" + publisher + L"\\" + regName;
  seeded.entry = std::wstring(kUninstallKey) + regName;
  WriteFileText(seeded.product + L"\\" + folderName + L"\\Pen.exe", "pen");
  WriteFileText(seeded.product + L"\\Updater\\Updater.exe", "updater");
  WriteFileText(seeded.menu + L"\\Kestra Scan.lnk", "link");
  WriteFileText(seeded.menu + L"\\Uninstall Kestra Scan.lnk", "link");
  WriteFileText(seeded.desktopLink, "link");
  const struct {
    const wchar_t* name;
    std::wstring data;
  } values[] = {
      {L"InstallDir", seeded.product},
      {L"ExecOnBoot", regName},
      {L"UninstRegFolder", regName},
      {L"LINK_ProgramsExec", seeded.menu + L"\\Kestra Scan.lnk"},
      {L"LINK_ProgramUnist", seeded.menu + L"\\Uninstall Kestra Scan.lnk"},
      {L"LINK_DesktopExec", seeded.desktopLink},
  };
  for (const auto& value : values) {
    WriteStringValue(HKEY_LOCAL_MACHINE, seeded.privateKey, value.name, value.data);
  }
  WriteStringValue(HKEY_LOCAL_MACHINE, seeded.entry, L"DisplayVersion", L"1.0");
  WriteStringValue(HKEY_CURRENT_USER, kRunKey, regName, L"pen.exe");
  return seeded;
}

void WriteUninstallPackage(const e2e::TestPackage& package, const std::string& publisher,
                           const std::string& regName) {
  package.AddTestData(L"Scan_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=KestraPen\r\n%PROGRAM_EXEC=Pen.exe\r\n"
                    "%PUBLISHER=" +
                        publisher + "\r\n%REG_FODLER_PROGNAME=" + regName + "\r\n");
}

void UninstallAnyway(const e2e::TestPackage& package) {
  Process setup(L"\"" + package.SetupPath() + L"\" uninstallanyway", package.Folder());
  // Nothing answers a confirmation here: reaching the finish page means none was asked.
  FinishUninstallation(setup);
}

TEST(Uninstall, AnywayKeepsWhatTheSamePublishersOtherProductNeeds) {
  const SeededProduct pen = SeedInstallation(L"Kestra Twins", L"KestraPen", L"KestraPen");
  const std::wstring otherMenu = pen.publisherMenu + L"\\Kestra Photo";
  WriteFileText(otherMenu + L"\\Kestra Photo.lnk", "link");
  WriteStringValue(HKEY_LOCAL_MACHINE, L"Software\\Kestra Twins\\KestraPhoto", L"InstallDir",
                   L"C:\\x");
  e2e::TestPackage package(L"uninstall-twins");
  WriteUninstallPackage(package, "Kestra Twins", "KestraPen");

  UninstallAnyway(package);

  EXPECT_FALSE(MachineKeyExists(pen.privateKey));
  EXPECT_FALSE(MachineKeyExists(pen.entry));
  EXPECT_EQ(RunValue(L"KestraPen"), std::nullopt);
  EXPECT_FALSE(FolderExists(pen.menu));
  EXPECT_FALSE(FileExists(pen.desktopLink));
  EXPECT_EQ(FolderNames(pen.product), std::vector<std::wstring>{L"KestraPen"});
  EXPECT_TRUE(FolderNames(pen.product + L"\\KestraPen").empty());
  EXPECT_TRUE(MachineKeyExists(L"Software\\Kestra Twins\\KestraPhoto"));
  EXPECT_TRUE(FileExists(otherMenu + L"\\Kestra Photo.lnk"));
  EXPECT_EQ(FolderNames(pen.publisherMenu), std::vector<std::wstring>{L"Kestra Photo"});
}

// Records whose fields are empty or name more than one installation: each removal that would
// reach beyond the product is passed over, and everything else survives. A product folder the
// removal refuses is not removed, so the entry and the record stay and the run says so.
TEST(Uninstall, RecordsWithEmptyOrWideFieldsRemoveNothingElse) {
  const std::wstring programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
  const std::wstring windows = SpecialFolder(CSIDL_WINDOWS);
  const struct {
    const char* label;
    std::wstring installDir;
    std::wstring uninstRegFolder;
    // 201: without the name of its uninstall entry the key holds no installation record, so the
    // product counts as not installed and the key, someone else's, stays; 502: the refused
    // folder keeps entry and record.
    DWORD exitCode;
  } cases[] = {
      {"empty fields", L"", L"", 201},
      {"drive root", L"C:\\", L"\\", 502},
      {"Program Files folder", programFiles, L"", 201},
      {"Windows folder", windows, L"\\\\", 502},
      {"Windows folder with the product's own entry", windows, L"KestraOCR", 502},
  };
  const std::wstring otherEntry = std::wstring(kUninstallKey) + L"KestraGuardNeighbour";
  WriteStringValue(HKEY_LOCAL_MACHINE, otherEntry, L"Marker", L"kept");
  WriteStringValue(HKEY_CURRENT_USER, kRunKey, L"KestraGuardNeighbour", L"neighbour.exe");
  WriteStringValue(HKEY_CURRENT_USER, kRunKey, L"", L"default.exe");
  WriteFileText(L"C:\\kestra-guard-canary.txt", "canary");
  WriteFileText(programFiles + L"\\KestraGuardCanary\\canary.txt", "canary");
  WriteFileText(windows + L"\\kestra-guard-canary.txt", "canary");

  // The rows that keep the record leave it behind: later tests of the product start without it.
  const e2e::ForgottenAtTheEnd forgotten(L"KestraOCR", L"Kestra Guard");
  e2e::TestPackage package(L"uninstall-guards");
  WriteUninstallPackage(package, "Kestra Guard", "KestraOCR");
  const std::wstring privateKey = L"Software\\Kestra Guard\\KestraOCR";
  const std::wstring entry = std::wstring(kUninstallKey) + L"KestraOCR";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    for (const wchar_t* name : {L"ExecOnBoot", L"LINK_ProgramsExec", L"LINK_ProgramUnist",
                                L"LINK_ProgramsManual", L"LINK_DesktopExec"}) {
      WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, name, L"");
    }
    WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"InstallDir", c.installDir);
    WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"UninstRegFolder", c.uninstRegFolder);
    WriteStringValue(HKEY_LOCAL_MACHINE, entry, L"DisplayVersion", L"1.0");

    const WatchedRun run =
        RunWatched(L"\"" + package.SetupPath() + L"\" uninstallanyway /quiet", package.Folder());
    EXPECT_EQ(run.exitCode, std::optional<DWORD>(c.exitCode));

    const bool kept = c.exitCode != 0;
    EXPECT_EQ(MachineKeyExists(privateKey), kept) << "the record's own key";
    EXPECT_TRUE(MachineKeyExists(entry)) << "no row names it, but the last, which keeps it";
    EXPECT_TRUE(MachineKeyExists(otherEntry));
    EXPECT_TRUE(MachineKeyExists(kUninstallKey));
    EXPECT_EQ(RunValue(L"KestraGuardNeighbour"), std::optional<std::wstring>(L"neighbour.exe"));
    EXPECT_EQ(RunValue(L""), std::optional<std::wstring>(L"default.exe"));
    EXPECT_TRUE(FileExists(L"C:\\kestra-guard-canary.txt"));
    EXPECT_TRUE(FileExists(programFiles + L"\\KestraGuardCanary\\canary.txt"));
    EXPECT_TRUE(FileExists(windows + L"\\kestra-guard-canary.txt"));
    EXPECT_TRUE(FileExists(package.SetupPath()));
    EXPECT_TRUE(FolderExists(windows + L"\\system32"));
  }
}

}  // namespace
