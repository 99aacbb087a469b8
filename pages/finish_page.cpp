#include "pages/finish_page.h"

#include "pages/page_frame.h"

TFFinish* FFinish = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FFinish", L"TFFinish", 554, 368, BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"lb_FinishInstallNotes", L"TLabel", L"p_Client", 16, 80, 337, 80, kWordWrap},
    {L"lb_FinishUninstallNotes", L"TLabel", L"p_Client", 16, 80, 337, 80, kWordWrap | kHidden},
    {L"lb_FinishUpgradeNotes", L"TLabel", L"p_Client", 16, 80, 337, 80, kWordWrap | kHidden},
    {L"ck_StartProgram", L"TCheckBox", L"p_Client", 16, 200, 337, 17, kNoOptions},
    {L"bt_Finish", L"TButton", L"p_Bottom", 455, 14, 75, 25, kDefault},
};

}  // namespace

TFFinish::TFFinish() : TForm(kForm, pages::JoinLayout(pages::SideImageFrame(), kOwnControls)) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton", L"TCheckBox"},
                        {L"lb_FinishInstallNotes", L"lb_FinishUninstallNotes",
                         L"lb_FinishUpgradeNotes", L"ck_StartProgram"});
}
