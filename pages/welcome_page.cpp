#include "pages/welcome_page.h"

#include "app/app.h"
#include "pages/ask_install_page.h"
#include "pages/cancelled_page.h"
#include "pages/eula_page.h"
#include "pages/navigation.h"
#include "pages/page_frame.h"

TFWelcome* FWelcome = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 554;
constexpr int kHeight = 368;
constexpr FormLayout kForm{L"FWelcome", L"TFWelcome", kWidth, kHeight, BorderStyle::kDialog};
constexpr COLORREF kVersionColour = RGB(28, 70, 96);

constexpr ControlLayout kControls[] = {
    {L"lb_Welcome", L"TLabel", L"p_Client", 28, 53, 313, 41, kBold | kWordWrap},
    {L"lb_StartInstallation", L"TLabel", L"p_Client", 28, 109, 313, 113, kWordWrap},
    {L"lb_Version", L"TLabel", L"p_Bottom", 10, 35, 33, 13, kNoOptions, -8, kVersionColour},
    {L"bt_Next", L"TButton", L"p_Bottom", 375, 14, 79, 25, kDefault},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 462, 14, 75, 25, kCancel},
};

}  // namespace

TFWelcome::TFWelcome()
    : TForm(kForm, pages::PageLayout(pages::Frame::kSideImage, kWidth, kHeight, kControls)) {
  pages::BuildPage(*this, pages::Frame::kSideImage, {L"TLabel", L"TButton"},
                   {L"lb_Welcome", L"lb_StartInstallation"});
  Control(L"lb_Version").SetCaption(App.Info.Version);
  Control(L"bt_Next").OnClick = [this] { bt_NextClick(); };
  Control(L"bt_Cancel").OnClick = [this] { bt_CancelClick(); };
  OnCloseQuery = [] {
    pages::CloseMainWindow();
    return false;
  };
}

void TFWelcome::bt_NextClick() {
  if (pages::LicencePageIsShown()) {
    pages::GoToPage(*this, *FEULA);
  } else {
    pages::GoToPage(*this, *FAskInstall);
  }
}

void TFWelcome::bt_CancelClick() {
  pages::GoToPage(*this, *FCancel);
}
