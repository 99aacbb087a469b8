#include "pages/ask_upgrade_page.h"

#include "pages/cancelled_page.h"
#include "pages/navigation.h"
#include "pages/page_frame.h"
#include "pages/upgrade_page.h"

TFAskUpgradeAndRepair* FAskUpgradeAndRepair = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 554;
constexpr int kHeight = 368;
constexpr FormLayout kForm{L"FAskUpgradeAndRepair", L"TFAskUpgradeAndRepair", kWidth, kHeight,
                           BorderStyle::kDialog};

constexpr ControlLayout kControls[] = {
    {L"lb_AskUpgradeXRepair", L"TLabel", L"p_Client", 23, 22, 507, 73, kWordWrap},
    {L"bt_Upgrade", L"TButton", L"p_Bottom", 362, 12, 79, 25, kDefault},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kCancel},
};

}  // namespace

TFAskUpgradeAndRepair::TFAskUpgradeAndRepair()
    : TForm(kForm, pages::PageLayout(pages::Frame::kTitleBand, kWidth, kHeight, kControls)) {
  pages::BuildPage(*this, pages::Frame::kTitleBand, {L"TLabel", L"TButton"}, {});
  Control(L"bt_Upgrade").OnClick = [this] { bt_UpgradeClick(); };
  Control(L"bt_Cancel").OnClick = [this] { bt_CancelClick(); };
  OnCloseQuery = [] {
    pages::CloseMainWindow();
    return false;
  };
}

void TFAskUpgradeAndRepair::bt_UpgradeClick() {
  pages::GoToPage(*this, *FUpgradeAndRepair);
}
void TFAskUpgradeAndRepair::bt_CancelClick() {
  pages::GoToPage(*this, *FCancel);
}
