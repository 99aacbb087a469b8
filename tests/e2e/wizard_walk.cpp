#include "tests/e2e/wizard_walk.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/e2e/machine_state.h"

namespace e2e {

HWND ShownPage(const driver::Process& setup, const wchar_t* className,
               std::chrono::milliseconds timeout) {
  const auto page = driver::WaitForVisibleWindowOfClass(setup.Id(), className, timeout);
  if (page) return page->handle;
  ADD_FAILURE() << Narrow(className) << " is not shown";
  for (const auto& window : driver::TopLevelWindows(setup.Id())) {
    if (window.visible) {
      ADD_FAILURE() << "shown instead: " << Narrow(window.className) << " \""
                    << Narrow(window.title) << "\"";
    }
  }
  return nullptr;
}

void Click(HWND page, const std::wstring& caption) {
  ASSERT_NE(page, nullptr) << "no page to press " << testing::PrintToString(caption) << " on";
  HWND button = driver::FindChildByText(page, caption);
  ASSERT_NE(button, nullptr) << "no button " << testing::PrintToString(caption);
  driver::Click(button);
}

HWND RichEditOf(HWND page) {
  for (const auto& child : driver::ChildWindows(page)) {
    if (_wcsnicmp(child.className.c_str(), L"RichEdit", 8) == 0) return child.handle;
  }
  return nullptr;
}

void WalkInstallation(const driver::Process& setup, bool withLicence) {
  HWND welcome = ShownPage(setup, L"TFWelcome");
  ASSERT_NE(welcome, nullptr);
  Click(welcome, L"&Next >");
  if (withLicence) {
    HWND licence = ShownPage(setup, L"TFEULA");
    ASSERT_NE(licence, nullptr);
    Click(licence, L"I &accept the terms of the licence agreement");
    HWND next = driver::FindChildByText(licence, L"&Next >");
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(next) != FALSE; }, 10s));
    Click(licence, L"&Next >");
  }
  HWND ready = ShownPage(setup, L"TFAskInstall");
  ASSERT_NE(ready, nullptr);
  Click(ready, L"&Install");
  HWND finish = ShownPage(setup, L"TFFinish", kWorkTimeout);
  ASSERT_NE(finish, nullptr) << "the installation reaches the finish page";
  Click(finish, L"&Finish");
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

void RunInstallation(const TestPackage& package, bool withLicence) {
  driver::Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  WalkInstallation(setup, withLicence);
}

void FinishUninstallation(const driver::Process& setup) {
  HWND finish = ShownPage(setup, L"TFFinish", kWorkTimeout);
  ASSERT_NE(finish, nullptr) << "the uninstallation reaches the finish page";
  HWND label = driver::FindChildByText(finish, L"Uninstallation complete");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(::IsWindowVisible(label));
  Click(finish, L"&Finish");
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

}  // namespace e2e
