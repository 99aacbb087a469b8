// Upgrades as a user starts them: "upgrade" on a package whose program the machine holds in an
// older version, through the ask-upgrade page to the finish page. Only what the file lists say
// changed is copied or deleted, nothing outside the program folder is touched, and the
// uninstaller copy becomes the new package's.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/machine_state.h"
#include "tests/e2e/test_package.h"
#include "tests/e2e/watched_run.h"
#include "tools/driver/driver.h"
#include "util/scoped_handle.h"

namespace {

using namespace std::chrono_literals;
using driver::Process;
using namespace e2e;

constexpr auto kTimeout = 60s;

std::optional<std::wstring> DisplayVersion(const std::wstring& regName) {
  return driver::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey + regName, L"DisplayVersion");
}

// An installation of version 1.0 of `product` as the machine holds it: the program folder with
// its list, the uninstaller copy, the private key and the uninstall entry.
struct Installed {
  std::wstring root;     // the product folder
  std::wstring program;  // the program folder, with "\"
  std::wstring backup;   // the uninstaller copy's folder, with "\"
};

Installed SeedInstallation(const std::wstring& product, const std::wstring& regName,
                           const std::string& list) {
  Installed installed;
  installed.root = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + product;
  installed.program = installed.root + L"\\" + product + L"\\";
  installed.backup = SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\" + product + L"\\";
  WriteFileText(installed.program + L"Application_FileList.txt", list);
  WriteFileText(installed.backup + L"Setup.exe", "the old setup program");
  WriteFileText(installed.backup + L"Stale.txt", "left by the old version");
  const std::wstring privateKey = L"Software\\Kestra Up Labs\\" + regName;
  WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"Product", product);
  WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"InstallDir", installed.root);
  WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"UninstRegFolder", regName);
  WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"UninstOnAppDataDir",
                   installed.backup + L"Setup.exe");
  WriteStringValue(HKEY_LOCAL_MACHINE, kUninstallKey + regName, L"DisplayVersion", L"1.0");
  WriteStringValue(HKEY_LOCAL_MACHINE, kUninstallKey + regName, L"UninstallString",
                   L"\"" + installed.backup + L"Setup.exe\" uninstall");
  return installed;
}

// A package of version 2.0 with the payload folder "Program Files\<product>\".
void WritePackage(const e2e::TestPackage& package, const std::string& product,
                  const std::string& regName, const std::string& list) {
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini", "[Setup]\r\n%PROGRAM_FILES=" + product +
                                      "\r\n%PROGRAM_EXEC=Up.exe\r\n%PROGRAM_VERSION=2.0\r\n"
                                      "%PUBLISHER=Kestra Up Labs\r\n%REG_FODLER_PROGNAME=" +
                                      regName + "\r\n");
  const std::wstring payload = L"Program Files\\" + std::wstring(product.begin(), product.end());
  package.WriteText(payload + L"\\Application_FileList.txt", list);
}

// Starts "upgrade", takes the ask-upgrade page's offer and ends on the finish page.
void UpgradeFromTheCommandLine(const e2e::TestPackage& package) {
  Process setup(L"\"" + package.SetupPath() + L"\" upgrade", package.Folder());
  const auto ask =
      driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFAskUpgradeAndRepair", kTimeout);
  ASSERT_TRUE(ask.has_value()) << "\"upgrade\" offers the upgrade";
  HWND upgrade = driver::FindChildByText(ask->handle, L"&Upgrade");
  ASSERT_NE(upgrade, nullptr);
  driver::Click(upgrade);
  const auto finish = driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFFinish", kTimeout);
  ASSERT_TRUE(finish.has_value()) << "the upgrade reaches the finish page";
  HWND label = driver::FindChildByText(finish->handle, L"Upgrade complete");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(::IsWindowVisible(label));
  HWND button = driver::FindChildByText(finish->handle, L"&Finish");
  ASSERT_NE(button, nullptr);
  driver::Click(button);
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

TEST(Upgrade, FromTheCommandLineCopiesOnlyWhatTheListsSayChanged) {
  const std::string oldList =
      "same.dll=1\r\nchanged.dll=1\r\nremoved.dll=1\r\nData\\inner.txt=1\r\n"
      "..\\victim.txt=1\r\n..\\..\\KestraUp-victim.txt=1\r\nApplication_FileList.txt=1\r\n";
  const std::string newList =
      "same.dll=1\r\nchanged.dll=2\r\nnew.dll=1\r\nsub\\x.dll=1\r\nData\\inner.txt=2\r\n"
      "..\\victim.txt=2\r\nApplication_FileList.txt=2\r\n";
  const Installed installed = SeedInstallation(L"KestraUp", L"KestraCards", oldList);
  for (const wchar_t* name : {L"same.dll", L"changed.dll", L"removed.dll", L"Data\\inner.txt"}) {
    WriteFileText(installed.program + name, "version 1");
  }
  const std::wstring programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
  WriteFileText(installed.root + L"\\victim.txt", "outside the program folder");
  WriteFileText(programFiles + L"\\KestraUp-victim.txt", "outside the product folder");

  e2e::TestPackage package(L"upgrade-cards");
  WritePackage(package, "KestraUp", "KestraCards", newList);
  for (const wchar_t* name :
       {L"same.dll", L"changed.dll", L"new.dll", L"sub\\x.dll", L"Data\\inner.txt"}) {
    package.WriteText(std::wstring(L"Program Files\\KestraUp\\") + name, "version 2");
  }
  package.WriteText(L"Program Files\\victim.txt", "from the package, outside its program");
  const std::wstring comparedResult = SpecialFolder(CSIDL_TEMPLATES) + L"\\ComparedResult.txt";
  ::DeleteFileW(comparedResult.c_str());

  UpgradeFromTheCommandLine(package);

  const std::wstring& program = installed.program;
  EXPECT_EQ(FileBytes(program + L"same.dll"), std::optional<std::string>("version 1"));
  EXPECT_EQ(FileBytes(program + L"changed.dll"), std::optional<std::string>("version 2"));
  EXPECT_EQ(FileBytes(program + L"new.dll"), std::optional<std::string>("version 2"));
  EXPECT_EQ(FileBytes(program + L"Data\\inner.txt"), std::optional<std::string>("version 2"));
  EXPECT_EQ(FileBytes(program + L"removed.dll"), std::nullopt);
  EXPECT_EQ(FileBytes(program + L"sub\\x.dll"), std::optional<std::string>("version 2"))
      << "a file of a folder the installation lacks arrives with its folder";
  EXPECT_EQ(FileBytes(program + L"Application_FileList.txt"), std::optional<std::string>(newList));
  EXPECT_EQ(FileBytes(installed.root + L"\\victim.txt"),
            std::optional<std::string>("outside the program folder"));
  EXPECT_EQ(FileBytes(programFiles + L"\\KestraUp-victim.txt"),
            std::optional<std::string>("outside the product folder"));
  EXPECT_EQ(DisplayVersion(L"KestraCards"), std::optional<std::wstring>(L"2.0"));
  EXPECT_EQ(
      FileBytes(comparedResult),
      std::optional<std::string>("copy=changed.dll\r\ncopy=new.dll\r\ncopy=sub\\x.dll\r\n"
                                 "copy=Data\\inner.txt\r\ncopy=..\\victim.txt\r\n"
                                 "delete=removed.dll\r\ndelete=..\\..\\KestraUp-victim.txt\r\n"));

  // The uninstaller copy is now the package, without its payload.
  EXPECT_EQ(FileBytes(installed.backup + L"Setup.exe"), FileBytes(package.SetupPath()));
  EXPECT_TRUE(FileBytes(installed.backup + L"Setup.ini").has_value());
  EXPECT_TRUE(FileBytes(installed.backup + L"Texts\\InstallWizard_Texts.xls").has_value());
  EXPECT_EQ(FileBytes(installed.backup + L"Stale.txt"), std::nullopt);
  EXPECT_FALSE(FolderExists(installed.backup + L"Program Files"));
}

// A changed file held open without sharing (the program still running, a scan): the quiet
// upgrade ends with 1603 and records the version; the same command again copies exactly that
// file and ends with 0.
TEST(Upgrade, AFileHeldOpenIsCopiedByTheNextRun) {
  const std::string oldList = "held.dll=1\r\nfree.dll=1\r\nApplication_FileList.txt=1\r\n";
  const std::string newList =
      "held.dll=2\r\nfree.dll=2\r\nNewSub\\extra.dat=2\r\nApplication_FileList.txt=2\r\n";
  const Installed installed = SeedInstallation(L"KestraHeld", L"KestraHeldUp", oldList);
  WriteFileText(installed.program + L"held.dll", "version 1");
  WriteFileText(installed.program + L"free.dll", "version 1");
  e2e::TestPackage package(L"upgrade-held");
  WritePackage(package, "KestraHeld", "KestraHeldUp", newList);
  for (const wchar_t* name : {L"held.dll", L"free.dll", L"NewSub\\extra.dat"}) {
    package.WriteText(std::wstring(L"Program Files\\KestraHeld\\") + name, "version 2");
  }
  const std::wstring command = L"\"" + package.SetupPath() + L"\" upgrade /quiet";
  {
    const win::ScopedHandle held(::CreateFileW((installed.program + L"held.dll").c_str(),
                                               GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.IsValid());
    EXPECT_EQ(RunWatched(command, package.Folder()).exitCode, std::optional<DWORD>(1603));
  }
  const std::wstring list = installed.program + L"Application_FileList.txt";
  EXPECT_EQ(FileBytes(installed.program + L"held.dll"), std::optional<std::string>("version 1"));
  EXPECT_EQ(FileBytes(installed.program + L"NewSub\\extra.dat"),
            std::optional<std::string>("version 2"));
  EXPECT_EQ(FileBytes(list), std::optional<std::string>(
                                 "\xEF\xBB\xBFheld.dll=1\r\nfree.dll=2\r\nNewSub\\extra.dat=2\r\n"
                                 "Application_FileList.txt=2\r\n"));
  EXPECT_EQ(DisplayVersion(L"KestraHeldUp"), std::optional<std::wstring>(L"2.0"));

  EXPECT_EQ(RunWatched(command, package.Folder()).exitCode, std::optional<DWORD>(0));
  EXPECT_EQ(FileBytes(installed.program + L"held.dll"), std::optional<std::string>("version 2"));
  EXPECT_EQ(FileBytes(list), std::optional<std::string>(newList));
}

// The same in the wizard: the box names the held file; Skip this file ends on the finish page
// saying "incomplete".
TEST(Upgrade, AFileHeldOpenInTheWizardIsAskedAboutAndSkipped) {
  const std::string oldList = "held.dll=1\r\nApplication_FileList.txt=1\r\n";
  const std::string newList = "held.dll=2\r\nApplication_FileList.txt=2\r\n";
  const Installed installed = SeedInstallation(L"KestraHeldWizard", L"KestraHeldWizard", oldList);
  WriteFileText(installed.program + L"held.dll", "version 1");
  e2e::TestPackage package(L"upgrade-held-wizard");
  WritePackage(package, "KestraHeldWizard", "KestraHeldWizard", newList);
  package.WriteText(L"Program Files\\KestraHeldWizard\\held.dll", "version 2");
  const std::wstring held = installed.program + L"held.dll";
  win::ScopedHandle holder(::CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder.IsValid());

  Process setup(L"\"" + package.SetupPath() + L"\" upgrade", package.Folder());
  const auto ask =
      driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFAskUpgradeAndRepair", kTimeout);
  ASSERT_TRUE(ask.has_value());
  driver::Click(driver::FindChildByText(ask->handle, L"&Upgrade"));
  const auto box = driver::WaitForMessageBox(setup.Id(), kTimeout);
  ASSERT_TRUE(box.has_value()) << "the held file is asked about";
  std::wstring text;
  for (const driver::WindowInfo& child : driver::ChildWindows(box->handle)) text += child.title;
  EXPECT_NE(text.find(held), std::wstring::npos) << Narrow(text);
  ASSERT_TRUE(driver::AnswerMessageBox(*box, L"&Skip this file"));
  const auto finish = driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFFinish", kTimeout);
  ASSERT_TRUE(finish.has_value());
  HWND headline = driver::FindChildByText(finish->handle, L"Upgrade incomplete");
  ASSERT_NE(headline, nullptr);
  EXPECT_TRUE(::IsWindowVisible(headline));
  driver::Click(driver::FindChildByText(finish->handle, L"&Finish"));
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
  holder.Reset();
  EXPECT_EQ(FileBytes(held), std::optional<std::string>("version 1"));
}

TEST(Upgrade, IdenticalListsChangeNothing) {
  const std::string list = "a.dll=1\r\nb.dll=7\r\nApplication_FileList.txt=3\r\n";
  const Installed installed = SeedInstallation(L"KestraSame", L"KestraPhoto", list);
  WriteFileText(installed.program + L"a.dll", "installed");
  e2e::TestPackage package(L"upgrade-same");
  WritePackage(package, "KestraSame", "KestraPhoto", list);
  package.WriteText(L"Program Files\\KestraSame\\a.dll", "packaged");
  const std::wstring comparedResult = SpecialFolder(CSIDL_TEMPLATES) + L"\\ComparedResult.txt";
  ::DeleteFileW(comparedResult.c_str());

  UpgradeFromTheCommandLine(package);

  EXPECT_EQ(FileBytes(installed.program + L"a.dll"), std::optional<std::string>("installed"));
  EXPECT_EQ(FileBytes(comparedResult), std::nullopt);
  EXPECT_EQ(DisplayVersion(L"KestraPhoto"), std::optional<std::wstring>(L"1.0"));
  EXPECT_EQ(FileBytes(installed.program + L"Application_FileList.txt"),
            std::optional<std::string>(list));
}

}  // namespace
