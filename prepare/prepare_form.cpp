#include "prepare/prepare_form.h"

#include "app/app.h"
#include "core/text/text_escapes.h"
#include "localisation/apply_texts.h"

TFPrepare* FPrepare = nullptr;

namespace {

using namespace winfx;

constexpr FormSpec kForm{L"FPrepare", L"TFPrepare", 381, 148, BorderStyle::kDialogNoIcons};

constexpr ControlSpec kLayout[] = {
    {L"lb_Prepare", L"TLabel", nullptr, 24, 22, 330, 42, kWordWrap},
    {L"lb_PrepareProc", L"TLabel", nullptr, 24, 74, 330, 17, kWordWrap},
    {L"bt_Cancel", L"TButton", nullptr, 279, 97, 75, 25},
    {L"pb_Prepare", L"TProgressBar", nullptr, 24, 98, 249, 23},
    {L"Timer1", L"TTimer", nullptr, 0, 0, 500, 0},
    {L"Timer2", L"TTimer", nullptr, 0, 0, 500, 0},
};

}  // namespace

TFPrepare::TFPrepare() : TForm(kForm, kLayout) {
  ApplyTexts(*this, App.Info.TextSection, L"TLabel");
  ApplyTexts(*this, App.Info.TextSection, L"TButton");
  const std::wstring caption = App.GetText(App.Info.TextSection, L"FPrepare->Caption");
  SetCaption(caption);
  Control(L"lb_Prepare")
      .SetCaption(
          localisation::InsertProductName(Control(L"lb_Prepare").Caption(), App.Info.ProductName));
  Control(L"bt_Cancel").OnClick = [this] { bt_CancelClick(); };
}

void TFPrepare::bt_CancelClick() {
  CloseMainWindow();
}

void CloseMainWindow() {
  if (FPrepare != nullptr) FPrepare->Close();
}
