#include "pages/ask_install_page.h"

#include "pages/page_frame.h"

TFAskInstall* FAskInstall = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FAskInstall", L"TFAskInstall", 554, 368, BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"lb_Title", L"TLabel", L"p_Top", 56, 26, 400, 16, kBold},
    {L"bt_Previous", L"TButton", L"p_Bottom", 290, 12, 75, 25, kNoOptions},
    {L"bt_Install", L"TButton", L"p_Bottom", 370, 12, 75, 25, kDefault},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kNoOptions},
};

}  // namespace

TFAskInstall::TFAskInstall()
    : TForm(kForm, pages::JoinLayout(pages::TitleBandFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {});
}
