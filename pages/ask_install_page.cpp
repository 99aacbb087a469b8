#include "pages/ask_install_page.h"

#include "pages/cancelled_page.h"
#include "pages/eula_page.h"
#include "pages/install_page.h"
#include "pages/navigation.h"
#include "pages/page_frame.h"
#include "pages/welcome_page.h"

TFAskInstall* FAskInstall = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 554;
constexpr int kHeight = 368;
constexpr FormLayout kForm{L"FAskInstall", L"TFAskInstall", kWidth, kHeight, BorderStyle::kDialog};

constexpr ControlLayout kControls[] = {
    {L"lb_Title", L"TLabel", L"p_Top", 56, 26, 400, 16, kBold},
    {L"lb_AskInstall", L"TLabel", L"p_Client", 23, 11, 507, 73, kWordWrap},
    {L"bt_Previous", L"TButton", L"p_Bottom", 281, 12, 75, 25},
    {L"bt_Install", L"TButton", L"p_Bottom", 362, 12, 79, 25, kDefault},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kCancel},
};

}  // namespace

TFAskInstall::TFAskInstall()
    : TForm(kForm, pages::PageLayout(pages::Frame::kTitleBand, kWidth, kHeight, kControls)) {
  pages::BuildPage(*this, pages::Frame::kTitleBand, {L"TLabel", L"TButton"}, {});
  Control(L"bt_Previous").OnClick = [this] { bt_PreviousClick(); };
  Control(L"bt_Install").OnClick = [this] { bt_InstallClick(); };
  Control(L"bt_Cancel").OnClick = [this] { bt_CancelClick(); };
  OnCloseQuery = [] {
    pages::CloseMainWindow();
    return false;
  };
}

void TFAskInstall::bt_PreviousClick() {
  if (pages::LicencePageIsShown()) {
    pages::GoToPage(*this, *FEULA);
  } else {
    pages::GoToPage(*this, *FWelcome);
  }
}

void TFAskInstall::bt_InstallClick() {
  pages::GoToPage(*this, *FInstall);
}
void TFAskInstall::bt_CancelClick() {
  pages::GoToPage(*this, *FCancel);
}
