// Walks through Setup.exe's wizard as a user would: waits for each page, presses its buttons.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "tests/e2e/test_package.h"
#include "tools/driver/driver.h"

namespace e2e {

using namespace std::chrono_literals;

constexpr std::chrono::milliseconds kPageTimeout = 60s;
// An installation or uninstallation under Wine through qemu, from its start to the finish page.
constexpr std::chrono::milliseconds kWorkTimeout = 180s;

// The page of that window class once it is visible; when it does not come, the test fails and
// names the windows shown instead.
HWND ShownPage(const driver::Process& setup, const wchar_t* className,
               std::chrono::milliseconds timeout = kPageTimeout);
// Presses the page's button with that caption; fails the test when the page has none.
void Click(HWND page, const std::wstring& caption);
// The page's rich-edit control (the licence), whichever rich-edit library provides it; nullptr
// when the page has none.
HWND RichEditOf(HWND page);

// From the welcome page through the licence (when the package shows one), the ready page and the
// install page to the finish page, whose Finish ends the run with exit code 0.
void WalkInstallation(const driver::Process& setup, bool withLicence = true);
// Starts the package's Setup.exe and walks the installation.
void RunInstallation(const TestPackage& package, bool withLicence = true);
// Waits for the finish page of an uninstallation, checks that it says so and ends the run.
void FinishUninstallation(const driver::Process& setup);

}  // namespace e2e
