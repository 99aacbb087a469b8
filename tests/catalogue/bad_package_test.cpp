// Setup.exe on every bad package of the catalogue: each run arrives where its case says within a
// bound and ends with exit code 0, and the prefix's files and registry afterwards differ from
// before only where the case allows.
#include "tests/catalogue/bad_package.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/catalogue/prefix_snapshot.h"
#include "tests/e2e/installed_product.h"
#include "tools/driver/driver.h"

namespace catalogue {
namespace {

using namespace std::chrono_literals;
using driver::Process;

// Start-up with a 5,000-row workbook or a 100,000-line file list included; generous, as the
// machine running the tests may be busy.
constexpr auto kArrivalBound = 90s;
constexpr auto kEndBound = 30s;

// The page of class `className`, or a message box that came instead (which fails the test).
HWND WaitForPage(const Process& setup, const wchar_t* className) {
  const auto shown = driver::WaitForWindow(
      setup.Id(),
      [&](const driver::WindowInfo& window) {
        return window.visible && (window.className == className || window.className == L"#32770");
      },
      kArrivalBound);
  if (!shown) {
    ADD_FAILURE() << "neither the page " << e2e::Narrow(className) << " nor a message came";
    return nullptr;
  }
  if (shown->className == L"#32770") {
    const auto box = driver::WaitForMessageBox(setup.Id(), 1s);
    ADD_FAILURE() << "a message instead of the page: " << (box ? e2e::Narrow(box->text) : "?");
    return nullptr;
  }
  return shown->handle;
}

void Press(HWND page, const std::wstring& caption) {
  HWND button = driver::FindChildByText(page, caption);
  ASSERT_NE(button, nullptr) << "no button " << e2e::Narrow(caption);
  driver::Click(button);
}

void ExpectFinishPage(const Process& setup, const BadPackage& c) {
  HWND finish = WaitForPage(setup, L"TFFinish");
  ASSERT_NE(finish, nullptr);
  HWND label = driver::FindChildByText(finish, c.text);
  ASSERT_NE(label, nullptr) << "no label " << e2e::Narrow(c.text);
  EXPECT_TRUE(::IsWindowVisible(label));
  if (c.checkPage) c.checkPage(finish);
  Press(finish, L"&Finish");
}

// Drives the run to its outcome and lets it end.
void Arrive(const Process& setup, const BadPackage& c) {
  switch (c.outcome) {
    case Outcome::kMessage: {
      const auto box = driver::WaitForMessageBox(setup.Id(), kArrivalBound);
      ASSERT_TRUE(box.has_value()) << "no message";
      EXPECT_EQ(box->text, c.text);
      ASSERT_TRUE(driver::AnswerMessageBox(*box, IDOK));
      return;
    }
    case Outcome::kWelcomePage: {
      HWND welcome = WaitForPage(setup, L"TFWelcome");
      ASSERT_NE(welcome, nullptr);
      if (c.checkPage) c.checkPage(welcome);
      driver::CloseWindow(welcome);
      return;
    }
    case Outcome::kConfirmation: {
      HWND question = WaitForPage(setup, L"TFUninstallConfirm");
      ASSERT_NE(question, nullptr);
      if (c.checkPage) c.checkPage(question);
      Press(question, L"Cancel");
      HWND cancelled = WaitForPage(setup, L"TFCancel");
      ASSERT_NE(cancelled, nullptr);
      Press(cancelled, L"OK");
      return;
    }
    case Outcome::kUpgrade: {
      HWND ask = WaitForPage(setup, L"TFAskUpgradeAndRepair");
      ASSERT_NE(ask, nullptr);
      Press(ask, L"&Upgrade");
      ExpectFinishPage(setup, c);
      return;
    }
    case Outcome::kFinishPage:
      ExpectFinishPage(setup, c);
      return;
    case Outcome::kInstallation:
    case Outcome::kQuietEnd:
      return;
  }
}

class BadPackageTest : public testing::TestWithParam<BadPackage> {};

TEST_P(BadPackageTest, ArrivesAtItsOutcomeAndChangesNothingElse) {
  const BadPackage& c = GetParam();
  Bench bench;
  ASSERT_NO_FATAL_FAILURE(c.arrange(bench));
  ASSERT_NE(bench.package, nullptr);
  const PrefixSnapshot before = TakeSnapshot();

  if (c.outcome == Outcome::kInstallation) {
    ASSERT_NO_FATAL_FAILURE(e2e::InstallThroughTheWizard(*bench.package, c.checkPage));
  } else {
    Process setup(L"\"" + bench.package->SetupPath() + L"\" " + c.argument,
                  bench.package->Folder());
    Arrive(setup, c);
    const auto exitCode = setup.WaitForExit(kEndBound);
    if (!exitCode) setup.Kill();
    EXPECT_EQ(exitCode, std::optional<DWORD>(0)) << "the run ends with exit code 0";
  }
  if (c.checkAfter) c.checkAfter(bench);

  const std::vector<std::wstring> changed = Differences(before, TakeSnapshot(), bench.mayChange);
  std::string listed;
  for (const std::wstring& change : changed) listed += "\n  " + e2e::Narrow(change);
  EXPECT_TRUE(changed.empty()) << "changed beyond what the case allows:" << listed;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadPackageTest, testing::ValuesIn(AllBadPackages()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace catalogue
