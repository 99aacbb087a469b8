// The sample product as its users meet it: release A installed through the wizard, then
// "Setup.exe upgrade" from release B's package. The upgrade copies and deletes exactly what the
// two Application_FileList.txt files (written by make_file_list) say changed.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/machine_state.h"
#include "tests/e2e/test_package.h"
#include "tests/e2e/wizard_walk.h"
#include "tests/sample/sample_runs.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;
using driver::Process;
using namespace e2e;

constexpr auto kWorkWait = 300s;
constexpr wchar_t kUninstallEntry[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KestraCapture";
constexpr wchar_t kProgramFolder[] = L"\\Kestra Capture\\Kestra Capture\\";

void UpgradeToReleaseB(const std::wstring& package) {
  Process setup(L"\"" + package + L"Setup.exe\" upgrade", package);
  Click(ShownPage(setup, L"TFAskUpgradeAndRepair"), L"&Upgrade");
  Click(ShownPage(setup, L"TFFinish", kWorkWait), L"&Finish");
  EXPECT_EQ(setup.WaitForExit(60s), std::optional<DWORD>(0));
}

TEST(SampleUpgrade, TheFileListsCarryReleaseAToReleaseB) {
  const std::wstring packageA = BuildFolder() + L"sample-package\\";
  const std::wstring packageB = BuildFolder() + L"sample-package-b\\";
  const std::wstring sourceA = packageA + L"program files\\Kestra Capture\\";
  const std::wstring sourceB = packageB + L"program files\\Kestra Capture\\";
  const std::wstring program = SpecialFolder(CSIDL_PROGRAM_FILES) + kProgramFolder;

  ASSERT_NO_FATAL_FAILURE(sample::InstallThroughTheWizard(packageA));
  ASSERT_EQ(FileBytes(program + L"ReadMe.txt"), FileBytes(sourceA + L"ReadMe.txt"));
  ASSERT_TRUE(FileBytes(program + L"Plugins\\ScannerBridge.kpl").has_value());
  ASSERT_EQ(driver::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallEntry, L"DisplayVersion"),
            std::optional<std::wstring>(L"2.1.0"));
  const auto unchangedBefore = FileBytes(program + L"KestraCapture.exe");

  ASSERT_NO_FATAL_FAILURE(UpgradeToReleaseB(packageB));

  const auto instructions = FileBytes(SpecialFolder(CSIDL_TEMPLATES) + L"\\ComparedResult.txt");
  ASSERT_TRUE(instructions.has_value());
  EXPECT_EQ(
      *instructions,
      "copy=Plugins\\Sharpen.kpl\r\ncopy=ReadMe.txt\r\ndelete=Plugins\\ScannerBridge.kpl\r\n");
  EXPECT_EQ(FileBytes(program + L"ReadMe.txt"), FileBytes(sourceB + L"ReadMe.txt"));
  EXPECT_EQ(FileBytes(program + L"Plugins\\Sharpen.kpl"),
            FileBytes(sourceB + L"Plugins\\Sharpen.kpl"));
  EXPECT_FALSE(FileBytes(program + L"Plugins\\ScannerBridge.kpl").has_value());
  EXPECT_EQ(FileBytes(program + L"KestraCapture.exe"), unchangedBefore);
  EXPECT_EQ(FileBytes(program + L"Application_FileList.txt"),
            FileBytes(sourceB + L"Application_FileList.txt"));
  EXPECT_EQ(driver::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallEntry, L"DisplayVersion"),
            std::optional<std::wstring>(L"2.2.0"));

  // The uninstaller's copy is release B's package without its payload folder.
  const auto uninstaller =
      MachineValue(L"Software\\Kestra Software\\KestraCapture", L"UninstOnAppDataDir");
  ASSERT_TRUE(uninstaller.has_value());
  const std::wstring copy = uninstaller->substr(0, uninstaller->rfind(L'\\') + 1);
  EXPECT_EQ(FileBytes(copy + L"Setup.ini"), FileBytes(packageB + L"Setup.ini"));
  EXPECT_FALSE(FolderExists(copy + L"program files"));
}

}  // namespace
