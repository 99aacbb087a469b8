#include "pages/install_page.h"

#include "pages/page_frame.h"

TFInstall* FInstall = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FInstall", L"TFInstall", 554, 368, BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"lb_Title", L"TLabel", L"p_Top", 56, 26, 400, 16, kBold},
    {L"pb_Install", L"TProgressBar", L"p_Client", 40, 110, 470, 17, kNoOptions},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kNoOptions},
};

}  // namespace

TFInstall::TFInstall() : TForm(kForm, pages::JoinLayout(pages::TitleBandFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {});
}
