// Installing a product over an installation of the same version: the user agrees to replace it,
// the earlier installation's own uninstaller removes it without asking and waits on its finish
// page, and then the installation runs afresh.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/installed_product.h"
#include "tests/e2e/watched_run.h"
#include "tests/util/test_files.h"
#include "tools/driver/driver.h"
#include "util/file_permissions.h"
#include "util/folder_walk.h"
#include "util/scoped_handle.h"

namespace {

using namespace e2e;

constexpr wchar_t kPrivateKey[] = L"Software\\Kestra Software\\KestraBoard";

// Answers the question whether to replace the installed version; a message that only informs
// (the family's warning for products it does not know) is acknowledged on the way.
void AgreeToReplace(const driver::Process& setup) {
  for (int box = 0; box < 2; ++box) {
    const auto shown = driver::WaitForMessageBox(setup.Id(), kPageTimeout);
    ASSERT_TRUE(shown.has_value()) << "the question to replace the installed version";
    if (driver::AnswerMessageBox(*shown, IDYES)) return;
    ASSERT_TRUE(driver::AnswerMessageBox(*shown, IDOK));
  }
  FAIL() << "no question with a Yes button";
}

// The visible page of that class in a program that `setup` started: the earlier uninstaller.
std::optional<driver::WindowInfo> PageOfTheUninstaller(const driver::Process& setup,
                                                       const wchar_t* className) {
  return driver::WaitForWindow(
      driver::kAnyProcess,
      [&](const driver::WindowInfo& window) {
        return window.visible && window.className == className && window.processId != setup.Id();
      },
      kWorkTimeout);
}

// Runs `package` over the installed product: agrees to replace it, waits for the earlier
// uninstaller's finish page, lets `atFinishPage` look at that page while it waits, presses Finish
// and walks the installation to its end.
void ReplaceThroughTheWizard(const TestPackage& package,
                             const std::function<void(HWND)>& atFinishPage = nullptr) {
  driver::Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  AgreeToReplace(setup);
  ASSERT_FALSE(testing::Test::HasFatalFailure());
  const auto finish = PageOfTheUninstaller(setup, L"TFFinish");
  ASSERT_TRUE(finish.has_value()) << "the earlier uninstaller reaches its finish page";
  if (atFinishPage) {
    atFinishPage(finish->handle);
    if (testing::Test::HasFatalFailure()) return;
  }
  Click(finish->handle, L"&Finish");
  WalkInstallation(setup);
}

TEST(Reinstall, SameVersionIsRemovedByItsUninstallerThenInstalledAfresh) {
  const ProductSettings first{"KestraBoardApp", "KestraBoard", "KestraBoard"};
  ProductSettings second = first;
  second.onBoot = "KestraBoardTray";
  const auto installed =
      MakeProductPackage(L"reinstall-installed", L"InstallWizard_Texts.xls", first, false);
  const auto again =
      MakeProductPackage(L"reinstall-again", L"InstallWizard_Texts.xls", second, false);
  const ForgottenAtTheEnd forgotten(L"KestraBoard", L"Kestra Software");

  InstallThroughTheWizard(*installed);
  ASSERT_FALSE(testing::Test::HasFatalFailure());
  const auto uninstaller = MachineValue(kPrivateKey, L"UninstOnAppDataDir");
  ASSERT_TRUE(uninstaller.has_value());
  const std::wstring backup = uninstaller->substr(0, uninstaller->rfind(L'\\'));
  WriteFileText(backup + L"\\Left by the first run.txt", "stale");
  ASSERT_EQ(RunValue(L"KestraBoard").has_value(), true);

  ReplaceThroughTheWizard(*again, [](HWND finish) {
    HWND label = driver::FindChildByText(finish, L"Uninstallation complete");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(::IsWindowVisible(label));
    EXPECT_FALSE(MachineKeyExists(std::wstring(kUninstallKey) + L"KestraBoard"))
        << "the uninstall entry is gone before the user presses Finish";
  });
  ASSERT_FALSE(testing::Test::HasFatalFailure());

  // The values are this run's: the start-up value under its new name only.
  const std::wstring program =
      SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraBoardApp\\KestraBoardApp";
  EXPECT_EQ(RunValue(L"KestraBoardTray"),
            std::optional<std::wstring>(L"\"" + program + L"\\Kestra.exe\" Minimum"));
  EXPECT_FALSE(RunValue(L"KestraBoard").has_value());
  EXPECT_EQ(MachineValue(kPrivateKey, L"ExecOnBoot"),
            std::optional<std::wstring>(L"KestraBoardTray"));
  EXPECT_EQ(MachineValue(std::wstring(kUninstallKey) + L"KestraBoard", L"UninstallString"),
            std::optional<std::wstring>(L"\"" + *uninstaller + L"\" uninstall"));

  // One set of shortcuts.
  const std::wstring menu =
      SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Software\\Kestra Capture";
  EXPECT_EQ(FolderNames(menu),
            (std::vector<std::wstring>{L"Kestra Capture Manual.lnk", L"Kestra Capture.lnk",
                                       L"Uninstall Kestra Capture.lnk"}));

  // The uninstaller copy was emptied and filled again.
  EXPECT_FALSE(FileExists(backup + L"\\Left by the first run.txt"));
  EXPECT_TRUE(FileExists(*uninstaller));
  EXPECT_TRUE(FileExists(backup + L"\\Texts\\InstallWizard_Texts.xls"));
  EXPECT_FALSE(FolderExists(backup + L"\\program files"));
  EXPECT_EQ(FileBytes(program + L"\\Kestra.exe"),
            std::optional<std::string>("MZ the Kestra program"));
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"KestraBoardTray");
}

struct ReplacementRun {
  const char* name;
  bool quiet;
};

class ReplacedUninstaller : public testing::TestWithParam<ReplacementRun> {};

// Every earlier release left the uninstaller's folder open to everybody, and a user has put a
// program of his own in the uninstaller's place. A newer package never starts it, with a user at
// the wizard or deployed quietly, and still replaces the earlier version completely.
TEST_P(ReplacedUninstaller, IsNeverStartedAndTheEarlierVersionIsStillReplaced) {
  const ReplacementRun& run = GetParam();
  const std::string stem = std::string("KestraPlanted") + run.name;
  const ProductSettings first{stem + "App", stem, stem};
  ProductSettings second = first;
  second.onBoot = stem + "Tray";
  const std::wstring name = L"planted-" + Widen(run.name);
  const auto installed =
      MakeProductPackage(name + L"-installed", L"InstallWizard_Texts.xls", first, false);
  const auto again =
      MakeProductPackage(name + L"-again", L"InstallWizard_Texts.xls", second, false);
  // A newer version: a quiet run leaves the same version as it is.
  std::string newer = second.Text();
  newer.replace(newer.find("%PROGRAM_VERSION=2.0"), 20, "%PROGRAM_VERSION=2.1");
  again->WriteText(L"Setup.ini", newer);
  const ForgottenAtTheEnd forgotten(Widen(stem), L"Kestra Software");

  InstallThroughTheWizard(*installed);
  ASSERT_FALSE(testing::Test::HasFatalFailure());
  const auto uninstaller =
      MachineValue(L"Software\\Kestra Software\\" + Widen(stem), L"UninstOnAppDataDir");
  ASSERT_TRUE(uninstaller.has_value());
  const std::wstring backup = uninstaller->substr(0, uninstaller->rfind(L'\\'));
  ASSERT_EQ(SetTreePermissions(backup, TreeAccess::kEveryoneFull).failed, 0u);
  ASSERT_TRUE(
      ::CopyFileW((BuildFolder() + L"argument_recorder.exe").c_str(), uninstaller->c_str(), FALSE));

  if (run.quiet) {
    EXPECT_EQ(RunWatched(L"\"" + again->SetupPath() + L"\" /quiet", again->Folder()).exitCode,
              std::optional<DWORD>(0));
  } else {
    driver::Process setup(L"\"" + again->SetupPath() + L"\"", again->Folder());
    AgreeToReplace(setup);
    ASSERT_FALSE(testing::Test::HasFatalFailure());
    WalkInstallation(setup);
  }

  EXPECT_TRUE(RecordedStartsOf(*uninstaller).empty()) << "the planted program never ran";
  // The earlier start-up value went with the earlier installation; the new one is there.
  EXPECT_FALSE(RunValue(Widen(first.onBoot)).has_value());
  EXPECT_TRUE(RunValue(Widen(second.onBoot)).has_value());
  EXPECT_EQ(FileBytes(*uninstaller), FileBytes(again->SetupPath()));
  EXPECT_FALSE(test_files::AllowsWriting(test_files::RightsOf(backup, WinWorldSid)))
      << "the new uninstaller's folder is for administrators only";
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, Widen(second.onBoot).c_str());
}

INSTANTIATE_TEST_SUITE_P(Runs, ReplacedUninstaller,
                         testing::Values(ReplacementRun{"Wizard", false},
                                         ReplacementRun{"Quiet", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A local user planted links to outside folders in the product folder and in the scripts; the
// user's scripts include one held open by another program and one past 260 characters.
TEST(Reinstall, LinksStayUnfollowedAndEveryScriptSurvives) {
  const ProductSettings settings{"KestraLinkApp", "KestraLink", "KestraLink"};
  const auto installed =
      MakeProductPackage(L"reinstall-links", L"InstallWizard_Texts.xls", settings, false);
  const auto again =
      MakeProductPackage(L"reinstall-links-again", L"InstallWizard_Texts.xls", settings, false);
  const ForgottenAtTheEnd forgotten(L"KestraLink", L"Kestra Software");
  InstallThroughTheWizard(*installed);
  ASSERT_FALSE(testing::Test::HasFatalFailure());

  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraLinkApp";
  const std::wstring scripts = product + L"\\KestraLinkApp\\ScriptsMacros\\";
  const std::wstring outside = L"C:\\reinstall-outside\\";
  for (const wchar_t* folder : {L"a", L"b", L"c"}) {
    WriteFileText(outside + folder + L"\\victim.txt", "outside");
  }
  ASSERT_TRUE(test_files::PlantLink(product + L"\\planted", outside + L"a"));
  ASSERT_TRUE(test_files::PlantLink(product + L"\\KestraLinkApp\\planted", outside + L"b"));
  ASSERT_TRUE(test_files::PlantLink(scripts + L"planted", outside + L"c"));
  WriteFileText(scripts + L"mine.js", "my script");
  WriteFileText(scripts + L"held.js", "held open");
  const std::wstring deep = scripts + std::wstring(110, L'd') + L"\\" + std::wstring(110, L'e');
  ASSERT_TRUE(::CreateDirectoryW(LongPath(deep.substr(0, deep.rfind(L'\\'))).c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW(LongPath(deep).c_str(), nullptr));
  const std::wstring deepScript = deep + L"\\" + std::wstring(60, L'f') + L".js";
  ASSERT_GT(deepScript.size(), 300u);
  const std::string deepText = "far down";
  ASSERT_TRUE(
      WriteFileBytes(LongPath(deepScript),
                     {reinterpret_cast<const std::uint8_t*>(deepText.data()), deepText.size()}));
  win::ScopedHandle held(::CreateFileW((scripts + L"held.js").c_str(), GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held.IsValid());

  ReplaceThroughTheWizard(*again);
  ASSERT_FALSE(testing::Test::HasFatalFailure());
  held.Reset();

  for (const wchar_t* folder : {L"a", L"b", L"c"}) {
    EXPECT_EQ(FileBytes(outside + folder + L"\\victim.txt"), std::optional<std::string>("outside"))
        << Narrow(folder);
  }
  EXPECT_EQ(FileBytes(scripts + L"mine.js"), std::optional<std::string>("my script"));
  EXPECT_EQ(FileBytes(scripts + L"held.js"), std::optional<std::string>("held open"));
  const auto deepBytes = ReadFileBytes(LongPath(deepScript));
  ASSERT_TRUE(deepBytes.has_value()) << "the script past 260 characters";
  EXPECT_EQ(std::string(deepBytes->begin(), deepBytes->end()), deepText);
  EXPECT_EQ(FileBytes(product + L"\\KestraLinkApp\\Kestra.exe"),
            std::optional<std::string>("MZ the Kestra program"));
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"KestraLink");
}

}  // namespace
