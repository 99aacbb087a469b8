#include "pages/cancel_confirm_dialog.h"

#include "pages/cancelled_page.h"
#include "pages/page_frame.h"
#include "pages/progress_page.h"

TFCancelConfirm* FCancelConfirm = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 501;
constexpr int kHeight = 151;
constexpr FormLayout kForm{L"FCancelConfirm", L"TFCancelConfirm", kWidth, kHeight,
                           BorderStyle::kDialog};

constexpr ControlLayout kControls[] = {
    // Aligned to the top; the text centred both ways in it.
    {L"lb_CancelConfirm", L"TLabel", nullptr, 0, 0, 501, 109, kWordWrap | kCentered | kMiddle},
    {L"bt_OK", L"TButton", nullptr, 131, 115, 120, 25},
    {L"bt_Cancel", L"TButton", nullptr, 266, 115, 120, 25, kDefault | kCancel},
};

}  // namespace

TFCancelConfirm::TFCancelConfirm() : TForm(kForm, kControls) {
  pages::BuildPage(*this, pages::Frame::kNone, {L"TLabel", L"TButton"}, {});
  Control(L"bt_OK").OnClick = [this] { bt_OKClick(); };
  Control(L"bt_Cancel").OnClick = [this] { bt_CancelClick(); };
  OnCloseQuery = [this] {
    bt_CancelClick();
    return false;
  };
}

void TFCancelConfirm::OpenFor(TProgressPage& page) {
  openedBy_ = &page;
  Show();
}

void TFCancelConfirm::bt_OKClick() {
  if (openedBy_ != nullptr) openedBy_->StopWork();
  openedBy_ = nullptr;
  Hide();
  FCancel->Show();
}

void TFCancelConfirm::bt_CancelClick() {
  Hide();
  if (openedBy_ != nullptr) openedBy_->GoOnWithWork();
  openedBy_ = nullptr;
}
