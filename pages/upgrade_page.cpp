#include "pages/upgrade_page.h"

#include "pages/page_frame.h"

TFUpgradeAndRepair* FUpgradeAndRepair = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FUpgradeAndRepair", L"TFUpgradeAndRepair", 554, 368,
                         BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"lb_UpgradeXRepair", L"TLabel", L"p_Client", 40, 40, 470, 40, kWordWrap},
    {L"pb_Upgrade", L"TProgressBar", L"p_Client", 40, 110, 470, 17, kNoOptions},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kNoOptions},
};

}  // namespace

TFUpgradeAndRepair::TFUpgradeAndRepair()
    : TForm(kForm, pages::JoinLayout(pages::TitleBandFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {L"lb_UpgradeXRepair"});
}
