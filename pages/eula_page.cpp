#include "pages/eula_page.h"

#include "pages/page_frame.h"

TFEULA* FEULA = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FEULA", L"TFEULA", 554, 368, BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"lb_Version", L"TLabel", L"p_Bottom", 10, 35, 33, 13, kNoOptions, -8, RGB(28, 70, 96)},
    {L"bt_Previous", L"TButton", L"p_Bottom", 298, 12, 75, 25, kNoOptions},
    {L"bt_Next", L"TButton", L"p_Bottom", 378, 12, 75, 25, kDefault | kDisabled},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 463, 12, 75, 25, kNoOptions},
};

}  // namespace

TFEULA::TFEULA() : TForm(kForm, pages::JoinLayout(pages::TitleBandFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TRadioButton", L"TButton"}, {});
}
