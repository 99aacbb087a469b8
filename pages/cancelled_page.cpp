#include "pages/cancelled_page.h"

#include "pages/page_frame.h"

TFCancel* FCancel = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FCancel", L"TFCancel", 554, 368, BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"lb_Notes", L"TLabel", L"p_Client", 16, 80, 337, 120, kWordWrap},
    {L"bt_OK", L"TButton", L"p_Bottom", 455, 12, 75, 25, kDefault},
};

}  // namespace

TFCancel::TFCancel() : TForm(kForm, pages::JoinLayout(pages::SideImageFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {L"lb_Notes"});
}
