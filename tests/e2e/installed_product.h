// Products installed through the wizard for the tests of the modes that work on an existing
// installation, and what the tests read back from the machine afterwards.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/test_package.h"

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
// answered when it comes.
void InstallThroughTheWizard(const TestPackage& package);

// Runs the package's Setup.exe with `argument`; true when it ends by itself with exit code 0,
// which it cannot while a message box is open.
bool RunsToItsEnd(const TestPackage& package, const std::wstring& argument);

// Polls the recorder's log until it holds `count` starts or `timeout` passes; what it holds then.
std::vector<std::wstring> WaitForRecordedStarts(const std::wstring& recorderPath, size_t count,
                                                std::chrono::milliseconds timeout);

std::wstring SpecialFolder(int csidl);
// Replaces the file's content; fails the test when it cannot be written.
void WriteFileText(const std::wstring& path, const std::string& bytes);
std::optional<std::string> FileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// The last write time of a file, or nothing when it does not exist.
std::optional<ULONGLONG> LastWriteTime(const std::wstring& path);
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace e2e
