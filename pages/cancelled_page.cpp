#include "pages/cancelled_page.h"

#include "pages/navigation.h"
#include "pages/page_frame.h"

TFCancel* FCancel = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 554;
constexpr int kHeight = 368;
constexpr FormLayout kForm{L"FCancel", L"TFCancel", kWidth, kHeight, BorderStyle::kDialog};

constexpr ControlLayout kControls[] = {
    {L"lb_Cancel", L"TLabel", L"p_Client", 34, 48, 297, 41, kBold | kWordWrap},
    {L"lb_Notes", L"TLabel", L"p_Client", 34, 87, 297, 73, kWordWrap},
    {L"bt_OK", L"TButton", L"p_Bottom", 447, 12, 79, 25, kDefault},
};

}  // namespace

TFCancel::TFCancel()
    : TForm(kForm, pages::PageLayout(pages::Frame::kSideImage, kWidth, kHeight, kControls)) {
  pages::BuildPage(*this, pages::Frame::kSideImage, {L"TLabel", L"TButton"}, {L"lb_Notes"});
  Control(L"bt_OK").OnClick = [] { pages::CloseMainWindow(); };
  OnCloseQuery = [] {
    pages::CloseMainWindow();
    return false;
  };
}
