// One entry of the catalogue of bad packages: how to lay out the package and the machine, how
// Setup.exe is started, where the run must arrive within a bound, and what it may change.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/test_package.h"

namespace catalogue {

enum class Outcome {
  kMessage,       // a message box with `text`, answered with OK; then the run ends
  kWelcomePage,   // the welcome page; closed, the run ends
  kConfirmation,  // the uninstall question; cancelled, the run ends
  kUpgrade,       // the ask-upgrade page; Upgrade leads to the finish page with `text`
  kFinishPage,    // the finish page with the label `text`, without a question before it
  kInstallation,  // the wizard walked from the welcome page to the finish page
  kQuietEnd,      // the run ends by itself without showing anything
};

// What a case lays out and its checks read back.
struct Bench {
  std::unique_ptr<e2e::TestPackage> package;
  // Files, folders ("C:\...") and registry keys or values ("HKLM\Software\...",
  // "HKCU\Software\...\@value") the run may change, below them included.
  std::vector<std::wstring> mayChange;
  // Whatever must outlive the run, such as a program the case keeps running.
  std::vector<std::shared_ptr<void>> keepAlive;
};

struct BadPackage {
  std::string name;
  std::function<void(Bench&)> arrange;
  std::wstring argument;
  Outcome outcome;
  std::wstring text;
  // Checks of the page the run arrives at, while it is shown (may be empty); for an installation,
  // what is done while the welcome page is shown.
  std::function<void(HWND page)> checkPage = {};
  // Checks after the run has ended (may be empty).
  std::function<void(const Bench&)> checkAfter = {};
};

std::vector<BadPackage> AllBadPackages();

}  // namespace catalogue
