#include "pages/ask_upgrade_page.h"

#include "pages/page_frame.h"

TFAskUpgradeAndRepair* FAskUpgradeAndRepair = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FAskUpgradeAndRepair", L"TFAskUpgradeAndRepair", 554, 368,
                         BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"bt_Upgrade", L"TButton", L"p_Bottom", 370, 12, 75, 25, kDefault},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kNoOptions},
};

}  // namespace

TFAskUpgradeAndRepair::TFAskUpgradeAndRepair()
    : TForm(kForm, pages::JoinLayout(pages::TitleBandFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {});
}
