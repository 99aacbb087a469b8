#include "pages/uninstall_page.h"

#include "pages/page_frame.h"

TFUninstall* FUninstall = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FUninstall", L"TFUninstall", 552, 366, BorderStyle::kSizeable};

constexpr ControlSpec kOwnControls[] = {
    {L"lb_Title", L"TLabel", L"p_Top", 56, 26, 400, 16, kBold},
    {L"lb_Uninstall", L"TLabel", L"p_Client", 40, 40, 470, 40, kWordWrap},
    {L"pb_Uninstall", L"TProgressBar", L"p_Client", 40, 110, 470, 17, kNoOptions},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 455, 12, 75, 25, kNoOptions},
};

}  // namespace

TFUninstall::TFUninstall()
    : TForm(kForm, pages::JoinLayout(pages::TitleBandFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {L"lb_Uninstall"});
}
