// Runs that end half way (the process killed while its worker holds at a gate) and installations
// whose uninstaller is gone: running the package, or the uninstall entry's command, again always
// ends with the product installed completely or removed completely.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "tests/e2e/installed_product.h"
#include "tools/driver/driver.h"

namespace {

using namespace e2e;

const ProductSettings kProduct{"KestraMend", "KestraMend", "KestraMend"};
constexpr wchar_t kPrivateKey[] = L"Software\\Kestra Software\\KestraMend";

struct Installation {
  std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraMend";
  std::wstring program = product + L"\\KestraMend\\Kestra.exe";
  std::wstring entry = std::wstring(kUninstallKey) + L"KestraMend";
  std::wstring menu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Software\\Kestra Capture";
  std::wstring desktop = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Kestra Capture.lnk";
  std::wstring backup = SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\KestraMend";
};

// The uninstall entry's command, its program there to start.
std::optional<std::wstring> WorkingUninstallCommand() {
  const auto command = MachineValue(Installation().entry, L"UninstallString");
  if (!command || command->size() < 2 || command->front() != L'"') return std::nullopt;
  if (!FileExists(command->substr(1, command->find(L'"', 1) - 1))) return std::nullopt;
  return command;
}

void ExpectInstalledCompletely() {
  const Installation at;
  EXPECT_EQ(FileBytes(at.program), std::optional<std::string>("MZ the Kestra program"));
  EXPECT_TRUE(FileExists(at.menu + L"\\Kestra Capture.lnk"));
  EXPECT_TRUE(FileExists(at.desktop));
  EXPECT_TRUE(MachineValue(kPrivateKey, L"InstallDir").has_value());
  EXPECT_TRUE(RunValue(L"KestraMend").has_value());
  EXPECT_TRUE(WorkingUninstallCommand().has_value()) << "the entry's command can be run";
}

void ExpectRemovedCompletely() {
  const Installation at;
  EXPECT_FALSE(FileExists(at.program));
  EXPECT_FALSE(FolderExists(at.product + L"\\Updater"));
  EXPECT_FALSE(FolderExists(at.menu));
  EXPECT_FALSE(FileExists(at.desktop));
  EXPECT_FALSE(MachineKeyExists(at.entry));
  EXPECT_FALSE(MachineKeyExists(kPrivateKey));
  EXPECT_FALSE(RunValue(L"KestraMend").has_value());
}

// The package run again as a user would: the question to replace the installation it finds is
// answered Yes, the earlier uninstaller (when there is one to start) is let finish, then the
// wizard is walked to its end.
void InstallAgain(const TestPackage& package) {
  driver::Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  for (;;) {
    const auto shown = driver::WaitForWindow(
        driver::kAnyProcess,
        [&](const driver::WindowInfo& window) {
          return window.visible &&
                 (window.className == L"#32770" ||
                  (window.processId == setup.Id() && window.className == L"TFWelcome") ||
                  (window.processId != setup.Id() && window.className == L"TFFinish"));
        },
        kWorkTimeout);
    ASSERT_TRUE(shown.has_value()) << "the run goes on";
    if (shown->className == L"TFWelcome") break;
    if (shown->className == L"TFFinish") {
      Click(shown->handle, L"&Finish");
      ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(shown->handle); }, 30s));
      continue;
    }
    const auto box = driver::WaitForMessageBox(shown->processId, 10s);
    ASSERT_TRUE(box.has_value());
    ASSERT_TRUE(driver::AnswerMessageBox(*box, IDYES) || driver::AnswerMessageBox(*box, IDOK));
  }
  WalkInstallation(setup);
}

void UninstallThroughTheEntry() {
  const auto command = WorkingUninstallCommand();
  ASSERT_TRUE(command.has_value());
  driver::Process setup(*command + L"anyway");
  FinishUninstallation(setup);
}

// Holds the worker of `setup` at its next gate once `reached` holds, then ends the process as
// power loss or the Task Manager would.
void KillWhenReached(const driver::Process& setup, const wchar_t* page,
                     const std::function<bool()>& reached) {
  HWND shown = ShownPage(setup, page, kWorkTimeout);
  ASSERT_NE(shown, nullptr);
  ASSERT_TRUE(WaitUntil(reached, kWorkTimeout)) << "the point to stop at";
  Click(shown, L"Cancel");
  // A short piece of work may have ended meanwhile: its finish page is killed as well.
  driver::WaitForWindow(
      setup.Id(),
      [](const driver::WindowInfo& window) {
        return window.visible &&
               (window.className == L"TFCancelConfirm" || window.className == L"TFFinish");
      },
      kPageTimeout);
  setup.Kill();
  ASSERT_TRUE(setup.WaitForExit(30s).has_value());
}

enum class Run { kInstall, kUninstall, kUpgrade };

struct KillPoint {
  const char* name;
  Run run;  // what the kill ends
  std::function<bool()> reached;
};

// Release B of the product: a new program and a file more, by the file lists of both releases.
std::unique_ptr<TestPackage> MakeReleaseB() {
  auto package = MakeProductPackage(L"recovery-b", L"InstallWizard_Texts.xls", kProduct, false);
  const std::wstring program = L"program files\\KestraMend\\";
  package->WriteText(program + L"Kestra.exe", "MZ release B");
  package->WriteText(program + L"Added.dll", "release B");
  package->WriteText(program + L"Application_FileList.txt",
                     "Kestra.exe=2\r\nManual\\English.pdf=1\r\nAdded.dll=1\r\n");
  return package;
}

// "upgrade" from the command line, its offer taken, up to its progress page.
std::unique_ptr<driver::Process> StartUpgrade(const TestPackage& package) {
  auto setup = std::make_unique<driver::Process>(L"\"" + package.SetupPath() + L"\" upgrade",
                                                 package.Folder());
  Click(ShownPage(*setup, L"TFAskUpgradeAndRepair"), L"&Upgrade");
  return setup;
}

class Interrupted : public testing::TestWithParam<KillPoint> {
 protected:
  static void SetUpTestSuite() {
    package_ = MakeProductPackage(L"recovery", L"InstallWizard_Texts.xls", kProduct, false);
    package_->WriteText(L"program files\\KestraMend\\Application_FileList.txt",
                        "Kestra.exe=1\r\nManual\\English.pdf=1\r\n");
    releaseB_ = MakeReleaseB();
  }
  static void TearDownTestSuite() {
    package_.reset();
    releaseB_.reset();
  }
  static inline std::unique_ptr<TestPackage> package_;
  static inline std::unique_ptr<TestPackage> releaseB_;
};

TEST_P(Interrupted, RunAgainItEndsInstalledOrRemovedCompletely) {
  const KillPoint& point = GetParam();
  if (point.run == Run::kUpgrade) {
    InstallThroughTheWizard(*package_);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    {
      const auto upgrade = StartUpgrade(*releaseB_);
      ASSERT_NO_FATAL_FAILURE(KillWhenReached(*upgrade, L"TFUpgradeAndRepair", point.reached));
    }
    {
      const auto again = StartUpgrade(*releaseB_);
      HWND finish = ShownPage(*again, L"TFFinish", kWorkTimeout);
      ASSERT_NE(finish, nullptr) << "the upgrade run again reaches its end";
      Click(finish, L"&Finish");
      EXPECT_EQ(again->WaitForExit(30s), std::optional<DWORD>(0));
    }
    const Installation at;
    EXPECT_EQ(FileBytes(at.program), std::optional<std::string>("MZ release B"));
    EXPECT_EQ(FileBytes(at.product + L"\\KestraMend\\Added.dll"),
              std::optional<std::string>("release B"));
    EXPECT_TRUE(WorkingUninstallCommand().has_value());
    ASSERT_NO_FATAL_FAILURE(UninstallThroughTheEntry());
    ExpectRemovedCompletely();
    return;
  }
  if (point.run == Run::kUninstall) {
    InstallThroughTheWizard(*package_);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    const auto command = WorkingUninstallCommand();
    ASSERT_TRUE(command.has_value());
    driver::Process uninstall(*command + L"anyway");
    ASSERT_NO_FATAL_FAILURE(KillWhenReached(uninstall, L"TFUninstall", point.reached));
    // Unless the removal had ended before the kill, the entry and its command are still there.
    if (MachineKeyExists(Installation().entry)) {
      EXPECT_TRUE(WorkingUninstallCommand().has_value())
          << "an interrupted removal keeps the command that finishes it";
      ASSERT_NO_FATAL_FAILURE(UninstallThroughTheEntry());
    }
    ExpectRemovedCompletely();
    return;
  }
  {
    driver::Process setup(L"\"" + package_->SetupPath() + L"\"", package_->Folder());
    HWND welcome = ShownPage(setup, L"TFWelcome");
    ASSERT_NE(welcome, nullptr);
    Click(welcome, L"&Next >");
    HWND licence = ShownPage(setup, L"TFEULA");
    Click(licence, L"I &accept the terms of the licence agreement");
    ASSERT_TRUE(WaitUntil(
        [&] { return ::IsWindowEnabled(driver::FindChildByText(licence, L"&Next >")) != FALSE; },
        10s));
    Click(licence, L"&Next >");
    Click(ShownPage(setup, L"TFAskInstall"), L"&Install");
    ASSERT_NO_FATAL_FAILURE(KillWhenReached(setup, L"TFInstall", point.reached));
  }
  ASSERT_NO_FATAL_FAILURE(InstallAgain(*package_));
  ExpectInstalledCompletely();
  ASSERT_NO_FATAL_FAILURE(UninstallThroughTheEntry());
  ExpectRemovedCompletely();
}

const Installation kAt;

INSTANTIATE_TEST_SUITE_P(
    Points, Interrupted,
    testing::Values(KillPoint{"InstallCopyingThePayload", Run::kInstall,
                              [] { return FileExists(kAt.program); }},
                    KillPoint{"InstallAfterTheUninstallEntry", Run::kInstall,
                              [] { return MachineKeyExists(kAt.entry); }},
                    KillPoint{"InstallAfterTheShortcuts", Run::kInstall,
                              [] { return FileExists(kAt.menu + L"\\Kestra Capture.lnk"); }},
                    KillPoint{
                        "InstallAfterThePrivateKey", Run::kInstall,
                        [] { return MachineValue(kPrivateKey, L"OnlineUpdaterDir").has_value(); }},
                    KillPoint{"InstallCopyingTheUninstaller", Run::kInstall,
                              [] { return FileExists(kAt.backup + L"\\Setup.exe"); }},
                    KillPoint{"UninstallStarted", Run::kUninstall, [] { return true; }},
                    KillPoint{"UninstallAfterTheShortcuts", Run::kUninstall,
                              [] { return !FileExists(kAt.menu + L"\\Kestra Capture.lnk"); }},
                    KillPoint{"UninstallRemovingTheProgram", Run::kUninstall,
                              [] { return !FileExists(kAt.program); }},
                    KillPoint{"UpgradeStarted", Run::kUpgrade, [] { return true; }},
                    KillPoint{"UpgradeCopying", Run::kUpgrade,
                              [] { return FileExists(kAt.product + L"\\KestraMend\\Added.dll"); }}),
    [](const testing::TestParamInfo<KillPoint>& info) { return info.param.name; });

// A cleaning tool deleted the uninstaller copy: the package run again removes the earlier
// installation itself and installs, and the entry's command works afterwards.
TEST(Recovery, AMissingUninstallerIsNoDeadEnd) {
  const auto package =
      MakeProductPackage(L"recovery-missing", L"InstallWizard_Texts.xls", kProduct, false);
  InstallThroughTheWizard(*package);
  ASSERT_FALSE(testing::Test::HasFatalFailure());
  const Installation at;
  ASSERT_TRUE(::DeleteFileW((at.backup + L"\\Setup.exe").c_str()));

  ASSERT_NO_FATAL_FAILURE(InstallAgain(*package));
  ExpectInstalledCompletely();
  ASSERT_NO_FATAL_FAILURE(UninstallThroughTheEntry());
  ExpectRemovedCompletely();
}

}  // namespace
