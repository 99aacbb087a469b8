#include "pages/uninstall_confirm_dialog.h"

#include "pages/page_frame.h"

TFUninstallConfirm* FUninstallConfirm = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FUninstallConfirm", L"TFUninstallConfirm", 281, 107,
                         BorderStyle::kSizeable};

constexpr ControlSpec kOwnControls[] = {
    {L"bt_OK", L"TButton", nullptr, 110, 70, 75, 25, kDefault},
    {L"bt_Cancel", L"TButton", nullptr, 195, 70, 75, 25, kNoOptions},
};

}  // namespace

TFUninstallConfirm::TFUninstallConfirm() : TForm(kForm, kOwnControls) {
  pages::ApplyPageTexts(*this, {L"TLabel", L"TButton"}, {});
}
