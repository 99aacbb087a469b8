// Products installed through the wizard for the tests of the modes that work on an existing
// installation, and what the tests read back from the machine afterwards.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/machine_state.h"
#include "tests/e2e/test_package.h"
#include "tests/e2e/wizard_walk.h"

namespace e2e {

// The settings of a test product, as Setup.ini (or Setup_old.ini) holds them.
struct ProductSettings {
  std::string programFiles;  // %PROGRAM_FILES: product and program folder
  std::string programName;   // %REG_FODLER_PROGNAME: uninstall entry and private key
  std::string onBoot;        // %PROGRAM_ONBOOT: the start-up value's name
  std::string Text() const;
};

// A package of the product: its workbook, licence and settings, and a payload with the program,
// its manual, and an updater folder with the argument recorder as "Updater.exe", a record file
// and, when `withUpgradeIni`, the Upgrade.ini that names the updater.
std::unique_ptr<TestPackage> MakeProductPackage(const std::wstring& name,
                                                const std::wstring& workbook,
                                                const ProductSettings& settings,
                                                bool withUpgradeIni);

// Walks the package through welcome, licence, ready, install and finish pages to the end of the
// run. The warning that a product is missing from the family's table of earlier installers is
// answered when it comes. `atWelcome`, when given, is called with the welcome page before the
// walk goes on.
void InstallThroughTheWizard(const TestPackage& package,
                             const std::function<void(HWND welcome)>& atWelcome = {});

// Deletes the product's uninstall entry and private key when the test ends, whatever its outcome,
// so that later tests in the same prefix start from a machine without its registration.
class ForgottenAtTheEnd {
 public:
  ForgottenAtTheEnd(std::wstring programName, std::wstring publisher)
      : programName_(std::move(programName)), publisher_(std::move(publisher)) {}
  ForgottenAtTheEnd(const ForgottenAtTheEnd&) = delete;
  ForgottenAtTheEnd& operator=(const ForgottenAtTheEnd&) = delete;
  ~ForgottenAtTheEnd();

 private:
  std::wstring programName_;
  std::wstring publisher_;
};

// Runs the package's Setup.exe with `argument`; true when it ends by itself with exit code 0,
// which it cannot while a message box is open.
bool RunsToItsEnd(const TestPackage& package, const std::wstring& argument);

// Polls the recorder's log until it holds `count` starts or `timeout` passes; what it holds then.
std::vector<std::wstring> WaitForRecordedStarts(const std::wstring& recorderPath, size_t count,
                                                std::chrono::milliseconds timeout);

}  // namespace e2e
