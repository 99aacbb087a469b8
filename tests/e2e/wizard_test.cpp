// Walking the wizard as a user does: welcome, licence, ready page and back, then cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/test_package.h"
#include "tests/e2e/wizard_walk.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;
using driver::Process;
using e2e::Click;
using e2e::ShownPage;

TEST(Wizard, WelcomeLicenceReadyAndBackThenCancel) {
  e2e::TestPackage package(L"walk");
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_VERSION=2.0\r\n"
                    "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n");
  package.WriteText(L"EULA\\en\\Service.rtf", e2e::kLicence);
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());

  HWND welcome = ShownPage(setup, L"TFWelcome");
  ASSERT_NE(welcome, nullptr);
  Click(welcome, L"&Next >");

  HWND licence = ShownPage(setup, L"TFEULA");
  ASSERT_NE(licence, nullptr);
  HWND editor = e2e::RichEditOf(licence);
  ASSERT_NE(editor, nullptr);
  EXPECT_NE(driver::WindowText(editor).find(L"Kestra licence terms"), std::wstring::npos)
      << "the English licence is shown for a language without its own";
  HWND next = driver::FindChildByText(licence, L"&Next >");
  EXPECT_FALSE(::IsWindowEnabled(next)) << "Next waits for the agreement";
  Click(licence, L"I &accept the terms of the licence agreement");
  ASSERT_TRUE(driver::WaitForWindow(
      setup.Id(), [&](const driver::WindowInfo&) { return ::IsWindowEnabled(next) != FALSE; },
      10s));
  Click(licence, L"&Next >");

  HWND ready = ShownPage(setup, L"TFAskInstall");
  ASSERT_NE(ready, nullptr);
  Click(ready, L"< &Back");
  ASSERT_NE(ShownPage(setup, L"TFEULA"), nullptr) << "a branded package returns to the licence";
  EXPECT_TRUE(::IsWindowEnabled(next)) << "the agreement is kept";
  Click(licence, L"&Next >");
  ASSERT_NE(ShownPage(setup, L"TFAskInstall"), nullptr);
  Click(ready, L"Cancel");

  HWND cancelled = ShownPage(setup, L"TFCancel");
  ASSERT_NE(cancelled, nullptr);
  Click(cancelled, L"OK");
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

TEST(Wizard, OemPackageSkipsTheLicence) {
  e2e::TestPackage package(L"walk-oem");
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_VERSION=2.0\r\n"
                    "%PUBLISHER=OEM\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n");
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  HWND welcome = ShownPage(setup, L"TFWelcome");
  ASSERT_NE(welcome, nullptr);
  Click(welcome, L"&Next >");
  HWND ready = ShownPage(setup, L"TFAskInstall");
  ASSERT_NE(ready, nullptr);
  Click(ready, L"< &Back");
  ASSERT_NE(ShownPage(setup, L"TFWelcome"), nullptr);
  driver::CloseWindow(welcome);
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0)) << "the close box ends the run";
}

}  // namespace
