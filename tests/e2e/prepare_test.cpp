// The preparation window driven from outside: modes, refusals with their numbers, the verdict
// on an earlier installation seeded in the registry, and the first page opened.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "tests/e2e/test_package.h"
#include "tools/driver/driver.h"
#include "util/reg_key.h"

namespace {

using namespace std::chrono_literals;
using driver::Process;

constexpr auto kTimeout = 60s;
const std::wstring kUninstallRoot = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kEntry = kUninstallRoot + L"KestraCapture";
const std::wstring kPrivate = L"Software\\Kestra Software\\KestraCapture";
constexpr char kSettings[] =
    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_EXEC=Kestra.exe\r\n%PROGRAM_VERSION=2.0\r\n"
    "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n";

void WriteValues(const std::wstring& path,
                 std::initializer_list<std::pair<const wchar_t*, std::wstring>> values) {
  win::RegKey key;
  ASSERT_TRUE(key.Create(HKEY_LOCAL_MACHINE, path, KEY_WRITE));
  for (const auto& [name, value] : values) ASSERT_TRUE(key.WriteString(name, value));
}

// An installation of version `version` as the installation engine records it.
void SeedInstallation(const std::wstring& version, const std::wstring& uninstallString = L"") {
  WriteValues(kEntry, {{L"DisplayVersion", version}, {L"UninstallString", uninstallString}});
  WriteValues(kPrivate, {{L"UninstRegFolder", L"KestraCapture"},
                         {L"Product", L"Kestra"},
                         {L"InstallDir", L"C:\\Program Files (x86)\\Kestra"}});
}

class PrepareTest : public testing::Test {
 protected:
  void SetUp() override {
    // Whatever an earlier test left, if anything.
    (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kEntry);
    (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Kestra Software");
  }

  std::unique_ptr<Process> Start(const std::wstring& name, const char* settings,
                                 const std::wstring& argument = L"",
                                 const std::wstring& workbook = L"InstallWizard_Texts.xls") {
    package_ = std::make_unique<e2e::TestPackage>(name);
    package_->AddTestData(workbook, L"Texts\\InstallWizard_Texts.xls");
    if (settings != nullptr) package_->WriteText(L"Setup.ini", settings);
    return std::make_unique<Process>(L"\"" + package_->SetupPath() + L"\" " + argument,
                                     package_->Folder());
  }

  // Waits for a message box, checks its text, answers it.
  static void ExpectBox(const Process& setup, const std::wstring& text,
                        const std::wstring& answer = L"OK") {
    const auto box = driver::WaitForMessageBox(setup.Id(), kTimeout);
    ASSERT_TRUE(box.has_value()) << "no message box";
    EXPECT_EQ(box->text, text);
    EXPECT_TRUE(driver::AnswerMessageBox(*box, answer));
  }

  static void ExpectEnd(const Process& setup) {
    EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0)) << "the program ends";
  }

  std::unique_ptr<e2e::TestPackage> package_;
};

TEST_F(PrepareTest, FreshMachineOpensTheWelcomePageBehindATransparentMainWindow) {
  auto setup = Start(L"fresh", kSettings);
  const auto welcome = driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFWelcome", kTimeout);
  ASSERT_TRUE(welcome.has_value());
  const auto prepare = driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFPrepare", 1s);
  ASSERT_TRUE(prepare.has_value()) << "the preparation window stays shown";
  BYTE alpha = 255;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(prepare->handle, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 0);
  EXPECT_TRUE(flags & LWA_ALPHA);
  driver::CloseWindow(welcome->handle);
  ExpectEnd(*setup);
}

TEST_F(PrepareTest, UpgradeWithoutFileListsOpensTheWelcomePageToo) {
  auto setup = Start(L"upgrade-fresh", kSettings, L"Upgrade");
  ASSERT_TRUE(driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFWelcome", kTimeout));
}

TEST_F(PrepareTest, UpgradeWithBothFileListsOpensTheAskUpgradePageWithoutAsking) {
  SeedInstallation(L"1.0");
  ::SHCreateDirectoryExW(nullptr, L"C:\\Program Files (x86)\\Kestra\\Kestra", nullptr);
  HANDLE list =
      ::CreateFileW(L"C:\\Program Files (x86)\\Kestra\\Kestra\\Application_FileList.txt",
                    GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(list, INVALID_HANDLE_VALUE);
  ::CloseHandle(list);
  package_ = std::make_unique<e2e::TestPackage>(L"upgrade-lists");
  package_->WriteText(L"Program Files\\Kestra\\Application_FileList.txt", "Kestra.exe=1\r\n");
  package_->AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package_->WriteText(L"Setup.ini", kSettings);
  Process setup(L"\"" + package_->SetupPath() + L"\" upgrade", package_->Folder());
  EXPECT_TRUE(driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFAskUpgradeAndRepair", kTimeout));
  EXPECT_FALSE(driver::WaitForMessageBox(setup.Id(), 0ms)) << "no replacement question";
  ::DeleteFileW(L"C:\\Program Files (x86)\\Kestra\\Kestra\\Application_FileList.txt");
}

struct RefusalCase {
  const char* name;
  const char* settings;
  const wchar_t* installedVersion;  // nullptr: nothing installed
  const wchar_t* argument;
  const wchar_t* message;
};

class RefusalTest : public PrepareTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, ShowsTheMessageWithItsNumberAndEnds) {
  const RefusalCase& c = GetParam();
  if (c.installedVersion != nullptr) SeedInstallation(c.installedVersion);
  const std::string name = c.name;
  auto setup = Start(L"refusal-" + std::wstring(name.begin(), name.end()), c.settings, c.argument);
  ExpectBox(*setup, c.message);
  ExpectEnd(*setup);
  EXPECT_FALSE(driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFWelcome", 0ms));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusalTest,
    testing::Values(
        RefusalCase{"EmptyPublisher",
                    "[Setup]\r\n%PUBLISHER=\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n", nullptr,
                    L"",
                    L"The product's registry folder cannot be named: Setup.ini lacks the publisher "
                    L"or the product name. (101)"},
        RefusalCase{"NewerInstalled", kSettings, L"2.1", L"",
                    L"A newer version of Kestra Capture is already installed. (102)"},
        RefusalCase{"NoVersionInPackage",
                    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PUBLISHER=Kestra Software\r\n"
                    "%REG_FODLER_PROGNAME=KestraCapture\r\n",
                    L"1.0", L"", L"Setup.ini has no %PROGRAM_VERSION (0)"},
        RefusalCase{"UninstallWithoutRecord", kSettings, nullptr, L"uninstall",
                    L"Kestra Capture is not installed on this computer. (201)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrepareTest, UninstallWithoutSettingsAndWithoutTheTextShowsTheMarker) {
  auto setup = Start(L"uninstall-no-ini", nullptr, L"UNINSTALL", L"Minimal_Texts.xls");
  ExpectBox(*setup, L"@@ (201)");
  ExpectEnd(*setup);
}

struct QuestionCase {
  const wchar_t* installed;
  const wchar_t* question;
};

class ReplaceQuestionTest : public PrepareTest, public testing::WithParamInterface<QuestionCase> {};

TEST_P(ReplaceQuestionTest, NoEndsTheRun) {
  SeedInstallation(GetParam().installed);
  auto setup = Start(std::wstring(L"question-") + GetParam().installed, kSettings);
  ExpectBox(*setup, GetParam().question, L"&No");
  ExpectEnd(*setup);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ReplaceQuestionTest,
    testing::Values(QuestionCase{L"1.9",
                                 L"An older version is installed. Do you want to replace it?"},
                    QuestionCase{L"2.0",
                                 L"This version is already installed. Do you want to install it "
                                 L"again?"},
                    QuestionCase{L"10.0",  // "10.0" sorts before "2.0" as text
                                 L"An older version is installed. Do you want to replace it?"}));

TEST_F(PrepareTest, YesRunsTheOldUninstallerAndGoesOnWhenItRemovedItsEntry) {
  // A stand-in uninstaller: removes the entry; "uninstall" in its command line becomes
  // "uninstallanyway", which the comment at its end takes harmlessly.
  SeedInstallation(L"1.0", L"cmd.exe /c reg delete \"HKLM\\" + kEntry + L"\" /f & rem uninstall");
  auto setup = Start(L"replace-ok", kSettings);
  ExpectBox(*setup, L"An older version is installed. Do you want to replace it?", L"&Yes");
  EXPECT_TRUE(driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFWelcome", kTimeout));
  EXPECT_FALSE(win::RegKey::Exists(HKEY_LOCAL_MACHINE, kEntry));
}

TEST_F(PrepareTest, YesWithAnUninstallerThatLeavesItsEntryShowsMsg502) {
  SeedInstallation(L"1.0", L"C:\\windows\\system32\\cmd.exe /c rem uninstall");
  auto setup = Start(L"replace-left", kSettings);
  ExpectBox(*setup, L"An older version is installed. Do you want to replace it?", L"&Yes");
  ExpectBox(*setup, L"The earlier version could not be removed.");
  ExpectEnd(*setup);
}

// Without an uninstaller to start, the program removes the earlier installation from its record
// itself and goes on as after its removal.
TEST_F(PrepareTest, YesWithoutUninstallStringRemovesTheInstallationFromItsRecord) {
  SeedInstallation(L"1.0");
  auto setup = Start(L"replace-none", kSettings);
  ExpectBox(*setup, L"An older version is installed. Do you want to replace it?", L"&Yes");
  EXPECT_TRUE(driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFWelcome", kTimeout));
  EXPECT_FALSE(win::RegKey::Exists(HKEY_LOCAL_MACHINE, kEntry));
  EXPECT_FALSE(win::RegKey::Exists(HKEY_LOCAL_MACHINE, kPrivate));
  setup->Kill();
}

TEST_F(PrepareTest, LegacyInstallShieldEntryIsRefusedWith302) {
  WriteValues(kUninstallRoot + L"InstallShield_{0D1F6C2A}", {{L"DisplayName", L"Kestra Capture"}});
  auto setup = Start(L"legacy", kSettings);
  ExpectBox(*setup,
            L"An earlier installation of this product was found. Please remove it first. (302)");
  ExpectEnd(*setup);
  (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kUninstallRoot + L"InstallShield_{0D1F6C2A}");
}

TEST_F(PrepareTest, MatchingNameWithoutTheInstallShieldPrefixIsNotLegacy) {
  WriteValues(kUninstallRoot + L"{0D1F6C2A}", {{L"DisplayName", L"Kestra Capture"}});
  auto setup = Start(L"not-legacy", kSettings);
  EXPECT_TRUE(driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFWelcome", kTimeout));
  (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kUninstallRoot + L"{0D1F6C2A}");
}

TEST_F(PrepareTest, ProductMissingFromTheLegacyTableShowsTheDeveloperMessage) {
  WriteValues(kUninstallRoot + L"Foreign", {{L"DisplayName", L"Another Program"}});
  auto setup = Start(L"developer-message",
                     "[Setup]\r\n%PROGRAM_FILES=KestraUnknown\r\n%PROGRAM_VERSION=2.0\r\n"
                     "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraUnknown\r\n");
  const auto box = driver::WaitForMessageBox(setup->Id(), kTimeout);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(L"(RD Msg)"), std::wstring::npos);
  EXPECT_EQ(std::count(box->text.begin(), box->text.end(), L'\n'), 2);
  driver::AnswerMessageBox(*box, L"OK");
  EXPECT_TRUE(driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFWelcome", kTimeout))
      << "the installation goes on as a fresh one";
  (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kUninstallRoot + L"Foreign");
}

TEST_F(PrepareTest, UninstallAnywayOpensTheUninstallPageAtOnce) {
  SeedInstallation(L"1.0");
  auto setup = Start(L"anyway", kSettings, L"uninstallanyway");
  // The uninstall page may already have handed over to the finish page when it is looked for.
  const auto page = driver::WaitForWindow(
      setup->Id(),
      [](const driver::WindowInfo& window) {
        return window.visible &&
               (window.className == L"TFUninstall" || window.className == L"TFFinish" ||
                window.className == L"TFUninstallConfirm");
      },
      kTimeout);
  ASSERT_TRUE(page.has_value());
  EXPECT_NE(page->className, L"TFUninstallConfirm") << "no question is asked";
}

// A window titled "UpdaterForm", as the product's updater shows, that records its close request.
class UpdaterWindow {
 public:
  UpdaterWindow() {
    thread_ = std::thread([this] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &UpdaterWindow::Proc;
      wc.lpszClassName = L"TestUpdaterForm";
      ::RegisterClassW(&wc);
      ::CreateWindowW(L"TestUpdaterForm", L"UpdaterForm", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                      nullptr, nullptr, nullptr);
      created_ = true;
      MSG message;
      while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    });
    while (!created_) std::this_thread::yield();
  }
  ~UpdaterWindow() {
    if (HWND window = ::FindWindowW(L"TestUpdaterForm", nullptr))
      ::PostMessageW(window, WM_CLOSE, 0, 0);
    thread_.join();
  }
  static bool Closed() { return closed_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_CLOSE) {
      closed_ = true;
      ::DestroyWindow(hwnd);
      return 0;
    }
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, message, w, l);
  }

  static inline std::atomic<bool> closed_{false};
  std::atomic<bool> created_{false};
  std::thread thread_;
};

TEST_F(PrepareTest, UninstallClosesTheUpdaterWindowThenAsks) {
  SeedInstallation(L"1.0");
  UpdaterWindow updater;
  auto setup = Start(L"uninstall", kSettings, L"Uninstall");
  EXPECT_TRUE(driver::WaitForVisibleWindowOfClass(setup->Id(), L"TFUninstallConfirm", kTimeout));
  EXPECT_TRUE(UpdaterWindow::Closed());
}

}  // namespace
