#include "pages/uninstall_confirm_dialog.h"

#include "pages/cancelled_page.h"
#include "pages/navigation.h"
#include "pages/page_frame.h"
#include "pages/uninstall_page.h"

TFUninstallConfirm* FUninstallConfirm = nullptr;

namespace {

using namespace winfx;

constexpr int kWidth = 281;
constexpr int kHeight = 107;
constexpr FormLayout kForm{L"FUninstallConfirm", L"TFUninstallConfirm", kWidth, kHeight,
                           BorderStyle::kSizeable};

constexpr ControlLayout kControls[] = {
    // Aligned to the top with margins of 20 left and right; the text centred both ways in it.
    {L"lb_UninstallConfirm", L"TLabel", nullptr, 20, 0, 241, 65, kWordWrap | kCentered | kMiddle},
    {L"bt_OK", L"TButton", nullptr, 53, 73, 80, 25, kDefault},
    {L"bt_Cancel", L"TButton", nullptr, 150, 73, 80, 25, kCancel},
};

}  // namespace

TFUninstallConfirm::TFUninstallConfirm() : TForm(kForm, kControls) {
  pages::BuildPage(*this, pages::Frame::kNone, {L"TLabel", L"TButton"}, {});
  Control(L"bt_OK").OnClick = [this] { pages::GoToPage(*this, *FUninstall); };
  Control(L"bt_Cancel").OnClick = [this] { pages::GoToPage(*this, *FCancel); };
  OnCloseQuery = [] {
    pages::CloseMainWindow();
    return false;
  };
}
