// Start-up of Setup.exe as a user meets it: the text workbook, the settings file, the windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/machine_state.h"
#include "tests/e2e/test_package.h"
#include "tools/driver/driver.h"
#include "util/reg_key.h"

namespace {

using namespace std::chrono_literals;
using driver::Process;

constexpr auto kStartTimeout = 60s;
const std::wstring kWorkbook = L"InstallWizard_Texts.xls";

// The window classes of the program's forms, in the order the program creates them.
const std::vector<std::wstring> kFormClasses = {L"TFPrepare",
                                                L"TFWelcome",
                                                L"TFAskInstall",
                                                L"TFAskUpgradeAndRepair",
                                                L"TFCancelConfirm",
                                                L"TFCancel",
                                                L"TFEULA",
                                                L"TFFinish",
                                                L"TFInstall",
                                                L"TFUpgradeAndRepair",
                                                L"TFUninstallConfirm",
                                                L"TFUninstall"};

std::vector<driver::WindowInfo> FormsOf(DWORD processId) {
  std::vector<driver::WindowInfo> forms;
  for (const auto& window : driver::TopLevelWindows(processId)) {
    if (std::find(kFormClasses.begin(), kFormClasses.end(), window.className) !=
        kFormClasses.end()) {
      forms.push_back(window);
    }
  }
  return forms;
}

// A package with the workbook and no Setup.ini: Setup.exe builds every form, then refuses it.
e2e::TestPackage PackageWithoutSettings(const std::wstring& name) {
  e2e::TestPackage package(name);
  package.AddTestData(kWorkbook, L"Texts\\" + kWorkbook);
  return package;
}

TEST(Startup, WithoutWorkbookShowsTheMessageAndEndsWithExitCodeZero) {
  e2e::TestPackage package(L"no-workbook");
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());

  const auto box = driver::WaitForMessageBox(setup.Id(), kStartTimeout);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, L"XLS File Not Found!! Closing...");
  EXPECT_TRUE(FormsOf(setup.Id()).empty()) << "no window exists before the message is answered";
  ASSERT_TRUE(driver::AnswerMessageBox(*box, L"OK"));

  const auto exitCode = setup.WaitForExit(30s);
  ASSERT_TRUE(exitCode.has_value()) << "the program did not end after the message";
  EXPECT_EQ(*exitCode, 0u);
}

constexpr wchar_t kNoPrivateFolderMessage[] =
    L"The product's registry folder cannot be named: Setup.ini lacks the publisher or the product "
    L"name. (101)";

TEST(Startup, WithoutSettingsFileCompletesAndRefusesToInstall) {
  const e2e::TestPackage package = PackageWithoutSettings(L"no-settings");
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());

  const auto box = driver::WaitForMessageBox(setup.Id(), kStartTimeout);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, kNoPrivateFolderMessage);
  EXPECT_EQ(box->caption, L"Kestra Capture");
  EXPECT_EQ(FormsOf(setup.Id()).size(), kFormClasses.size()) << "start-up completed";
  const auto prepare = driver::WaitForWindow(
      setup.Id(), [](const driver::WindowInfo& w) { return w.className == L"TFPrepare"; }, 0ms);
  ASSERT_TRUE(prepare.has_value());
  EXPECT_EQ(prepare->title, L"Preparing Setup");
  EXPECT_NE(driver::FindChildByText(
                prepare->handle, L"Setup is preparing to install Kestra Capture on your computer."),
            nullptr)
      << "%P in lb_Prepare is replaced by the product name";
  ASSERT_TRUE(driver::AnswerMessageBox(*box, L"OK"));
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

TEST(Startup, CreatesTheTwelveWindowsInOrderWithThePreparationWindowShown) {
  // An older installation makes the preparation window ask, shown and waiting, before any page.
  const std::wstring entry =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KestraCapture";
  win::RegKey key;
  ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, entry));
  ASSERT_TRUE(key.WriteString(L"DisplayVersion", L"1.0"));
  ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, L"Software\\Kestra Software\\KestraCapture"));
  ASSERT_TRUE(key.WriteString(L"UninstRegFolder", L"KestraCapture"));
  key.Close();
  e2e::TestPackage package(L"window-order");
  package.AddTestData(kWorkbook, L"Texts\\" + kWorkbook);
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_VERSION=2.0\r\n"
                    "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n");
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  const auto box = driver::WaitForMessageBox(setup.Id(), kStartTimeout);
  ASSERT_TRUE(box.has_value());
  ASSERT_TRUE(driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFPrepare", kStartTimeout));

  const auto forms = FormsOf(setup.Id());
  ASSERT_EQ(forms.size(), kFormClasses.size());
  // The shown preparation window is on top; the hidden pages follow, each newer window above
  // the older ones, so they come in reverse order of creation.
  std::vector<std::wstring> listed;
  for (const auto& form : forms) listed.push_back(form.className);
  std::vector<std::wstring> expected = {kFormClasses.front()};
  expected.insert(expected.end(), kFormClasses.rbegin(), kFormClasses.rend() - 1);
  EXPECT_EQ(listed, expected);
  for (const auto& form : forms) {
    EXPECT_EQ(form.visible, form.className == L"TFPrepare") << "only the preparation window shows";
    EXPECT_EQ(form.title, form.className == L"TFPrepare" ? L"Preparing Setup" : L"Kestra Capture");
  }
  ASSERT_TRUE(driver::AnswerMessageBox(*box, L"&No"));
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
  // Clean-up only: the outcome of the run is checked above.
  (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, entry);
  (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Kestra Software");
}

TEST(Startup, EveryFormIsAWindowOfItsOwnOnTheTaskbar) {
  const e2e::TestPackage package = PackageWithoutSettings(L"taskbar");
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  // The refusal of a package without settings comes once every form exists.
  const auto box = driver::WaitForMessageBox(setup.Id(), kStartTimeout);
  ASSERT_TRUE(box.has_value());
  const auto forms = FormsOf(setup.Id());
  EXPECT_EQ(forms.size(), kFormClasses.size());
  for (const auto& form : forms) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(form.handle, GWL_EXSTYLE);
    EXPECT_EQ(::GetWindow(form.handle, GW_OWNER), nullptr) << e2e::Narrow(form.className);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << e2e::Narrow(form.className);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW) << e2e::Narrow(form.className);
  }
  ASSERT_TRUE(driver::AnswerMessageBox(*box, L"OK"));
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

TEST(Startup, TextsComeFromTheProgramDataFolderWhenTheTextsFolderHasNoWorkbook) {
  e2e::TestPackage package(L"texts-in-payload");
  package.WriteText(L"Setup.ini", "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_DATA=Data\\\r\n");
  package.WriteText(L"Texts\\readme.txt", "not a workbook");
  package.AddTestData(kWorkbook, L"program files\\Kestra\\Data\\Forms\\Texts\\" + kWorkbook);
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());

  // The refusal shows the texts were read: its text and the product name come from them.
  const auto box = driver::WaitForMessageBox(setup.Id(), kStartTimeout);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, kNoPrivateFolderMessage);
  EXPECT_EQ(box->caption, L"Kestra Capture");
  ASSERT_TRUE(driver::AnswerMessageBox(*box, L"OK"));
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

TEST(Startup, WorkbookHeldOpenWithoutSharingShowsTheReadMessage) {
  e2e::TestPackage package(L"held-workbook");
  package.AddTestData(kWorkbook, L"Texts\\" + kWorkbook);
  const std::wstring path = package.Folder() + L"Texts\\" + kWorkbook;
  HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());

  const auto box = driver::WaitForMessageBox(setup.Id(), kStartTimeout);
  ::CloseHandle(held);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, L"\u8ACB\u95DC\u9589\u6587\u5B57\u6A94. try...catch...Closing...");
  ASSERT_TRUE(driver::AnswerMessageBox(*box, L"OK"));
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

}  // namespace
