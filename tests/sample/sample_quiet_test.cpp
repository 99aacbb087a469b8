// The sample product deployed without a user: "Setup.exe install /quiet" leaves what the wizard
// leaves, the uninstall entry's quiet command removes what the wizard's uninstallation removes,
// and "upgrade /quiet" carries release A to release B as the wizard's upgrade does.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/catalogue/prefix_snapshot.h"
#include "tests/e2e/machine_state.h"
#include "tests/e2e/test_package.h"
#include "tests/e2e/watched_run.h"
#include "tests/e2e/wizard_walk.h"
#include "tests/sample/sample_runs.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;
using namespace e2e;

constexpr wchar_t kEntry[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KestraCapture";
constexpr wchar_t kPrivateKey[] = L"Software\\Kestra Software\\KestraCapture";
constexpr wchar_t kProgramFolder[] = L"\\Kestra Capture\\Kestra Capture\\";

// The log a quiet run keeps when it is given none.
std::wstring DefaultLog() {
  wchar_t folder[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + L"Kestra Capture Setup.log";
}

// What differs in more than the files' times: entries added or removed, registry data changed.
std::vector<std::wstring> Changes(const catalogue::PrefixSnapshot& before,
                                  const catalogue::PrefixSnapshot& after,
                                  const std::vector<std::wstring>& allowed) {
  std::vector<std::wstring> changes;
  for (const std::wstring& line : catalogue::Differences(before, after, allowed)) {
    if (line.starts_with(L"~ C:")) continue;
    changes.push_back(line);
  }
  return changes;
}

// What an uninstallation keeps (the user's scripts and macros) goes too, as a user would remove
// it, so that the next installation starts where the first one did.
void RemoveWhatTheUninstallationKept() {
  std::wstring from = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Kestra Capture";
  from.push_back(L'\0');  // the list of names ends with a second NUL
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&operation);
  ASSERT_FALSE(FolderExists(SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Kestra Capture"));
}

// Removes an installation left by an earlier test, through its own quiet command.
void StartFromAMachineWithoutTheProduct() {
  const auto quiet = MachineValue(kEntry, L"QuietUninstallString");
  if (quiet) {
    EXPECT_EQ(RunWatched(*quiet, L"").exitCode, std::optional<DWORD>(0));
  }
  ASSERT_FALSE(MachineKeyExists(kPrivateKey));
  RemoveWhatTheUninstallationKept();
}

void UninstallThroughTheWizard() {
  const auto uninstaller = MachineValue(kPrivateKey, L"UninstOnAppDataDir");
  ASSERT_TRUE(uninstaller.has_value());
  driver::Process setup(L"\"" + *uninstaller + L"\" uninstall", L"");
  Click(ShownPage(setup, L"TFUninstallConfirm"), L"OK");
  FinishUninstallation(setup);
}

std::vector<std::wstring> FilesBelow(const std::wstring& folder, const std::wstring& prefix = L"") {
  std::vector<std::wstring> files;
  for (const std::wstring& name : FolderNames(folder + prefix)) {
    const std::wstring relative = prefix + name;
    if (FolderExists(folder + relative)) {
      for (auto& file : FilesBelow(folder, relative + L"\\")) files.push_back(file);
    } else {
      files.push_back(relative);
    }
  }
  return files;
}

// Each test starts without the product and leaves none, for the tests that follow.
class SampleQuiet : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartFromAMachineWithoutTheProduct()); }
  void TearDown() override { StartFromAMachineWithoutTheProduct(); }
};

TEST_F(SampleQuiet, InstallAndRemovalLeaveWhatTheWizardLeaves) {
  const std::wstring package = BuildFolder() + L"sample-package\\";
  const std::wstring log = L"C:\\sample-quiet.log";
  const std::vector<std::wstring> logs = {log, DefaultLog()};

  ASSERT_NO_FATAL_FAILURE(sample::InstallThroughTheWizard(package));
  const catalogue::PrefixSnapshot wizardInstalled = catalogue::TakeSnapshot();
  ASSERT_NO_FATAL_FAILURE(UninstallThroughTheWizard());
  const catalogue::PrefixSnapshot wizardRemoved = catalogue::TakeSnapshot();
  ASSERT_NO_FATAL_FAILURE(RemoveWhatTheUninstallationKept());

  const WatchedRun install =
      RunWatched(L"\"" + package + L"Setup.exe\" install /quiet /log=" + log, package);
  EXPECT_EQ(install.exitCode, std::optional<DWORD>(0));
  EXPECT_EQ(install.windowsSeen, std::vector<std::wstring>{}) << "no window at any moment";
  EXPECT_EQ(Changes(wizardInstalled, catalogue::TakeSnapshot(), logs), std::vector<std::wstring>{})
      << "the quiet installation leaves what the wizard's leaves";
  const std::string text = FileBytes(log).value_or("");
  const std::wstring program = SpecialFolder(CSIDL_PROGRAM_FILES) + kProgramFolder;
  for (const std::wstring& file : FilesBelow(package + L"program files\\Kestra Capture\\")) {
    EXPECT_NE(text.find("copied " + Narrow(program + file)), std::string::npos)
        << "the log lists " << Narrow(file);
  }

  const auto quiet = MachineValue(kEntry, L"QuietUninstallString");
  ASSERT_TRUE(quiet.has_value());
  const WatchedRun removal = RunWatched(*quiet, L"");
  EXPECT_EQ(removal.exitCode, std::optional<DWORD>(0));
  EXPECT_EQ(removal.windowsSeen, std::vector<std::wstring>{});
  EXPECT_EQ(Changes(wizardRemoved, catalogue::TakeSnapshot(), logs), std::vector<std::wstring>{})
      << "the quiet removal leaves what the wizard's leaves";
  EXPECT_EQ(RunWatched(L"\"" + package + L"Setup.exe\" uninstall /quiet", package).exitCode,
            std::optional<DWORD>(201))
      << "nothing left to remove";
}

TEST_F(SampleQuiet, UpgradeCarriesReleaseAToReleaseB) {
  const std::wstring packageA = BuildFolder() + L"sample-package\\";
  const std::wstring packageB = BuildFolder() + L"sample-package-b\\";
  const std::wstring sourceB = packageB + L"program files\\Kestra Capture\\";
  const std::wstring program = SpecialFolder(CSIDL_PROGRAM_FILES) + kProgramFolder;

  ASSERT_EQ(RunWatched(L"\"" + packageA + L"Setup.exe\" /quiet", packageA).exitCode,
            std::optional<DWORD>(0));
  ASSERT_TRUE(FileBytes(program + L"Plugins\\ScannerBridge.kpl").has_value());
  const auto uninstaller = MachineValue(kPrivateKey, L"UninstOnAppDataDir");
  ASSERT_TRUE(uninstaller.has_value());
  const std::wstring copy = uninstaller->substr(0, uninstaller->rfind(L'\\') + 1);
  ASSERT_TRUE(FileBytes(packageA + L"SHA256SUMS").has_value());
  EXPECT_FALSE(FileBytes(copy + L"SHA256SUMS").has_value())
      << "the release's list names payload files the uninstaller copy does not hold";
  const auto unchangedBefore = FileBytes(program + L"KestraCapture.exe");

  const WatchedRun upgrade = RunWatched(L"\"" + packageB + L"Setup.exe\" upgrade /quiet", packageB);
  EXPECT_EQ(upgrade.exitCode, std::optional<DWORD>(0));
  EXPECT_EQ(upgrade.windowsSeen, std::vector<std::wstring>{});
  EXPECT_EQ(FileBytes(program + L"ReadMe.txt"), FileBytes(sourceB + L"ReadMe.txt"));
  EXPECT_EQ(FileBytes(program + L"Plugins\\Sharpen.kpl"),
            FileBytes(sourceB + L"Plugins\\Sharpen.kpl"));
  EXPECT_FALSE(FileBytes(program + L"Plugins\\ScannerBridge.kpl").has_value());
  EXPECT_EQ(FileBytes(program + L"KestraCapture.exe"), unchangedBefore);
  EXPECT_EQ(driver::ReadRegistryString(HKEY_LOCAL_MACHINE, kEntry, L"DisplayVersion"),
            std::optional<std::wstring>(L"2.2.0"));
  EXPECT_EQ(FileBytes(copy + L"Setup.ini"), FileBytes(packageB + L"Setup.ini"))
      << "the uninstaller's copy is release B's";
  EXPECT_FALSE(FileBytes(copy + L"SHA256SUMS").has_value());
}

}  // namespace
