#include "tests/e2e/installed_product.h"

#include <gtest/gtest.h>

#include "tools/driver/driver.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kTimeout = 60s;
// The installation rewrites the record file wholly; any content does for a start.
constexpr char kEmptyRecord[] = "[HKEY_LOCAL_MACHINE\\Software\\Placeholder]\r\nValue=1\r\n";

}  // namespace

std::string ProductSettings::Text() const {
  return "[Setup]\r\n%PROGRAM_FILES=" + programFiles +
         "\r\n%PROGRAM_FILES_OLD=Earlier\r\n%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=Kestra.exe\r\n"
         "%PROGRAM_VERSION=2.0\r\n%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=" +
         programName + "\r\n%PROGRAM_ONBOOT=" + onBoot +
         "\r\n%PROGRAM_FORMCAPTION=Kestra Window\r\n%UNINST_ICO=Uninstall.ico\r\n"
         "%MANULA_EXIST=1\r\n%MANUAL_DIR=Manual\\\r\n%MANUAL_ICO=Manual.ico\r\n";
}

std::unique_ptr<TestPackage> MakeProductPackage(const std::wstring& name,
                                                const std::wstring& workbook,
                                                const ProductSettings& settings,
                                                bool withUpgradeIni) {
  auto package = std::make_unique<TestPackage>(name);
  package->AddTestData(workbook, L"Texts\\InstallWizard_Texts.xls");
  package->WriteText(L"EULA\\en\\Service.rtf", kLicence);
  package->WriteText(L"Setup.ini", settings.Text());
  const std::wstring program = L"program files\\" + Widen(settings.programFiles) + L"\\";
  package->WriteText(program + L"Kestra.exe", "MZ the Kestra program");
  package->WriteText(program + L"Manual\\English.pdf", "%PDF manual");
  package->WriteText(L"program files\\Updater\\Regedit_FileList.ini", kEmptyRecord);
  package->AddRecorder(L"program files\\Updater\\Updater.exe");
  if (withUpgradeIni) {
    package->WriteText(L"program files\\Updater\\Upgrade.ini",
                       "[Upgrade_Info]\r\nUpdaterName=Updater\r\n");
  }
  return package;
}

void InstallThroughTheWizard(const TestPackage& package,
                             const std::function<void(HWND welcome)>& atWelcome) {
  driver::Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  const auto first = driver::WaitForWindow(
      setup.Id(),
      [](const driver::WindowInfo& window) {
        return window.visible &&
               (window.className == L"TFWelcome" || window.className == L"#32770");
      },
      kTimeout);
  ASSERT_TRUE(first.has_value()) << "neither the welcome page nor a message";
  if (first->className == L"#32770") {
    const auto box = driver::WaitForMessageBox(setup.Id(), kTimeout);
    ASSERT_TRUE(box.has_value());
    ASSERT_TRUE(driver::AnswerMessageBox(*box, IDOK));
  }
  if (atWelcome) {
    const auto welcome = driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFWelcome", kTimeout);
    ASSERT_TRUE(welcome.has_value()) << "no welcome page";
    atWelcome(welcome->handle);
  }
  WalkInstallation(setup);
}

ForgottenAtTheEnd::~ForgottenAtTheEnd() {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kUninstallKey) + programName_).c_str());
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\" + publisher_ + L"\\" + programName_).c_str());
}

bool RunsToItsEnd(const TestPackage& package, const std::wstring& argument) {
  driver::Process setup(L"\"" + package.SetupPath() + L"\" " + argument, package.Folder());
  const auto exitCode = setup.WaitForExit(kTimeout);
  if (!exitCode) setup.Kill();
  return exitCode == std::optional<DWORD>(0);
}

std::vector<std::wstring> WaitForRecordedStarts(const std::wstring& recorderPath, size_t count,
                                                std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto starts = RecordedStartsOf(recorderPath);
    if (starts.size() >= count || std::chrono::steady_clock::now() >= deadline) return starts;
    ::Sleep(50);
  }
}

}  // namespace e2e
