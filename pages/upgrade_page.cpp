#include "pages/upgrade_page.h"

#include "app/app.h"
#include "pages/navigation.h"
#include "pages/page_frame.h"
#include "pages/wizard_run.h"
#include "upgrade/uninstaller_refresh.h"
#include "upgrade/upgrade_thread.h"

TFUpgradeAndRepair* FUpgradeAndRepair = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 554;
constexpr int kHeight = 368;
constexpr FormLayout kForm{L"FUpgradeAndRepair", L"TFUpgradeAndRepair", kWidth, kHeight,
                           BorderStyle::kDialog};

constexpr ControlLayout kControls[] = {
    {L"lb_UpgradeXRepair", L"TLabel", L"p_Client", 23, 22, 507, 41, kWordWrap},
    {L"lb_UpgradeXRepairProc", L"TLabel", L"p_Client", 23, 109, 507, 24, kWordWrap, 0, CLR_INVALID,
     L""},
    {L"pb_UpgradeXRepair", L"TProgressBar", L"p_Client", 23, 143, 507, 17},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kCancel},
};

}  // namespace

TFUpgradeAndRepair::TFUpgradeAndRepair()
    : TProgressPage(kForm, pages::PageLayout(pages::Frame::kTitleBand, kWidth, kHeight, kControls),
                    kUpgradeFinishedMessage, L"pb_UpgradeXRepair", L"lb_UpgradeXRepairProc") {
  pages::BuildPage(*this, pages::Frame::kTitleBand, {L"TLabel", L"TButton"},
                   {L"lb_UpgradeXRepair"});
}

std::unique_ptr<TWorkerThread> TFUpgradeAndRepair::CreateWorker() {
  return std::make_unique<TUpgradeThread>(Handle(), pages::CurrentRun().UninstInfo,
                                          ExecutableFolder());
}

void TFUpgradeAndRepair::BeforeFinishPage() {
  // The uninstaller copy is replaced by this package, so that a later uninstallation runs the
  // version now installed.
  if (pages::RunHandedOver()) {
    const std::wstring& entryName = pages::CurrentRun().UninstInfo.UninstRegFolder;
    if (!RefreshUninstallerCopy(pages::CurrentRun().UninstInfo.UninstOnAppDataDir,
                                ExecutableFolder(),
                                entryName.empty() ? L"" : App.Paths.UninstallKey + entryName)) {
      pages::NoteWorkIncomplete();
    }
  }
}
