#include "pages/install_page.h"

#include "install/install_thread.h"
#include "pages/page_frame.h"
#include "pages/wizard_run.h"

TFInstall* FInstall = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 554;
constexpr int kHeight = 368;
constexpr FormLayout kForm{L"FInstall", L"TFInstall", kWidth, kHeight, BorderStyle::kDialog};

constexpr ControlLayout kControls[] = {
    {L"lb_Title", L"TLabel", L"p_Top", 56, 26, 400, 16, kBold},
    {L"lb_Install", L"TLabel", L"p_Client", 23, 22, 507, 41, kWordWrap},
    {L"lb_InstallProc", L"TLabel", L"p_Client", 23, 115, 507, 24, kNoOptions, 0, CLR_INVALID, L""},
    {L"pb_Installation", L"TProgressBar", L"p_Client", 23, 149, 507, 17},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kCancel},
};

}  // namespace

TFInstall::TFInstall()
    : TProgressPage(kForm, pages::PageLayout(pages::Frame::kTitleBand, kWidth, kHeight, kControls),
                    kInstallFinishedMessage, L"pb_Installation", L"lb_InstallProc") {
  pages::BuildPage(*this, pages::Frame::kTitleBand, {L"TLabel", L"TButton"}, {});
}

std::unique_ptr<TWorkerThread> TFInstall::CreateWorker() {
  return std::make_unique<TInstallThread>(Handle(), pages::CurrentInstallInput());
}
