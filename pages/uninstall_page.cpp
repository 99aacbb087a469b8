#include "pages/uninstall_page.h"

#include "app/app.h"
#include "pages/message_boxes.h"
#include "pages/navigation.h"
#include "pages/page_frame.h"
#include "pages/wizard_run.h"
#include "uninstall/uninstall_thread.h"
#include "uninstall/uninstaller_self_removal.h"

TFUninstall* FUninstall = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 552;
constexpr int kHeight = 366;
constexpr FormLayout kForm{L"FUninstall", L"TFUninstall", kWidth, kHeight, BorderStyle::kSizeable};

constexpr ControlLayout kControls[] = {
    {L"lb_Title", L"TLabel", L"p_Top", 56, 26, 400, 16, kBold},
    {L"lb_Uninstall", L"TLabel", L"p_Client", 23, 22, 507, 41, kWordWrap},
    {L"lb_UninstallProc", L"TLabel", L"p_Client", 23, 109, 507, 24, kNoOptions, 0, CLR_INVALID,
     L""},
    {L"pb_Uninstallation", L"TProgressBar", L"p_Client", 23, 143, 507, 17},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kCancel},
};

}  // namespace

TFUninstall::TFUninstall()
    : TProgressPage(kForm, pages::PageLayout(pages::Frame::kTitleBand, kWidth, kHeight, kControls),
                    kUninstallFinishedMessage, L"pb_Uninstallation", L"lb_UninstallProc") {
  pages::BuildPage(*this, pages::Frame::kTitleBand, {L"TLabel", L"TButton"}, {L"lb_Uninstall"});
}

std::unique_ptr<TWorkerThread> TFUninstall::CreateWorker() {
  return std::make_unique<TUninstallThread>(Handle(), pages::CurrentRun().UninstInfo,
                                            App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER"));
}

void TFUninstall::WorkFailed() {
  Hide();
  ShowInformation(L"MSG_502");
  pages::CloseMainWindow();
}

void TFUninstall::BeforeFinishPage() {
  RemoveOwnUninstallerCopy(pages::CurrentRun().UninstInfo.UninstOnAppDataDir);
}
