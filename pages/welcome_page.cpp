#include "pages/welcome_page.h"

#include "pages/page_frame.h"

TFWelcome* FWelcome = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FWelcome", L"TFWelcome", 554, 368, BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"lb_Welcome", L"TLabel", L"p_Client", 16, 16, 337, 50, kWordWrap | kBold},
    {L"lb_StartInstallation", L"TLabel", L"p_Client", 16, 80, 337, 120, kWordWrap},
    {L"lb_Version", L"TLabel", L"p_Bottom", 10, 35, 33, 13, kNoOptions, -8, RGB(28, 70, 96)},
    {L"bt_Next", L"TButton", L"p_Bottom", 370, 14, 75, 25, kDefault},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 14, 75, 25, kNoOptions},
};

}  // namespace

TFWelcome::TFWelcome() : TForm(kForm, pages::JoinLayout(pages::SideImageFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {L"lb_Welcome", L"lb_StartInstallation"});
}
