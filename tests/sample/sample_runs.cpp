#include "tests/sample/sample_runs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "tests/e2e/wizard_walk.h"
#include "tools/driver/driver.h"

namespace sample {

using namespace std::chrono_literals;
using driver::Process;
using e2e::Click;
using e2e::ShownPage;

constexpr auto kWorkWait = 300s;

void InstallThroughTheWizard(const std::wstring& package) {
  Process setup(L"\"" + package + L"Setup.exe\"", package);
  Click(ShownPage(setup, L"TFWelcome"), L"&Next >");
  HWND licence = ShownPage(setup, L"TFEULA");
  Click(licence, L"I &accept the terms of the licence agreement");
  HWND next = driver::FindChildByText(licence, L"&Next >");
  ASSERT_TRUE(driver::WaitForWindow(
      setup.Id(), [&](const driver::WindowInfo&) { return ::IsWindowEnabled(next) != FALSE; },
      10s));
  Click(licence, L"&Next >");
  Click(ShownPage(setup, L"TFAskInstall"), L"&Install");
  HWND finish = ShownPage(setup, L"TFFinish", kWorkWait);
  // The program is not started: its window would only stand in the way of the upgrade.
  HWND start = driver::FindChildByText(finish, L"&Start Kestra Capture now");
  ASSERT_NE(start, nullptr);
  if (::SendMessageW(start, BM_GETCHECK, 0, 0) == BST_CHECKED) driver::Click(start);
  ASSERT_TRUE(driver::WaitForWindow(
      setup.Id(),
      [&](const driver::WindowInfo&) { return ::SendMessageW(start, BM_GETCHECK, 0, 0) == 0; },
      10s));
  Click(finish, L"&Finish");
  EXPECT_EQ(setup.WaitForExit(60s), std::optional<DWORD>(0));
}

}  // namespace sample
