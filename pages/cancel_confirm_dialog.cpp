#include "pages/cancel_confirm_dialog.h"

#include "pages/page_frame.h"

TFCancelConfirm* FCancelConfirm = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FCancelConfirm", L"TFCancelConfirm", 501, 151, BorderStyle::kDialog};

constexpr ControlSpec kOwnControls[] = {
    {L"bt_OK", L"TButton", nullptr, 330, 110, 75, 25, kDefault},
    {L"bt_Cancel", L"TButton", nullptr, 412, 110, 75, 25, kNoOptions},
};

}  // namespace

TFCancelConfirm::TFCancelConfirm() : TForm(kForm, kOwnControls) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {});
}
