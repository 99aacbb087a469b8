// The "updater" mode on an installation made by the wizard: the installed updater is started
// with "InstallExeRecall" when its folder has an Upgrade.ini, through the user's shell, and
// nothing happens without one.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "tests/e2e/installed_product.h"

namespace {

using namespace std::chrono_literals;

TEST(Updater, StartsTheInstalledUpdaterOnlyWhenUpgradeIniNamesIt) {
  const e2e::ProductSettings settings{"KestraCardsApp", "KestraCards", "KestraCards"};
  const auto package =
      e2e::MakeProductPackage(L"updater-cards", L"Cards_Texts.xls", settings, false);
  ASSERT_NO_FATAL_FAILURE(e2e::InstallThroughTheWizard(*package));
  const std::wstring updaterFolder =
      e2e::SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraCardsApp\\Updater\\";
  const std::wstring updater = updaterFolder + L"Updater.exe";
  ASSERT_TRUE(e2e::FileExists(updater)) << "the installation brought the updater";

  EXPECT_TRUE(e2e::RunsToItsEnd(*package, L"updater"))
      << "without Upgrade.ini the mode ends at once, without a message";

  e2e::WriteFileText(updaterFolder + L"Upgrade.ini", "[Upgrade_Info]\r\nUpdaterName=Updater\r\n");
  ASSERT_TRUE(e2e::FileExists(updaterFolder + L"Upgrade.ini"));
  EXPECT_TRUE(e2e::RunsToItsEnd(*package, L"UPDATER"));

  const auto starts = e2e::WaitForRecordedStarts(updater, 1, 30s);
  ASSERT_EQ(starts.size(), 1u) << "one start: the run with Upgrade.ini";
  EXPECT_TRUE(starts[0].ends_with(L"Updater.exe\" InstallExeRecall")) << e2e::Narrow(starts[0]);
  EXPECT_EQ(e2e::RecordedParentsOf(updater), std::vector<std::wstring>{L"explorer.exe"})
      << "the updater lies in a folder everybody may write to: the user's shell starts it";
}

}  // namespace
