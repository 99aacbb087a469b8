#include "pages/page_frame.h"

#include "app/app.h"
#include "core/text/text_escapes.h"
#include "localisation/apply_texts.h"

namespace pages {
namespace {

using namespace winfx;

constexpr ControlSpec kTitleBandFrame[] = {
    {L"p_Top", L"TPanel", nullptr, 0, 0, 554, 65, kWhite},
    {L"im_Title", L"TImage", L"p_Top", 0, 0, 554, 65, kAlignRight | kAutoSize},
    {L"p_Client", L"TPanel", nullptr, 0, 65, 554, 253},
    {L"p_Bottom", L"TPanel", nullptr, 0, 318, 554, 50, kBevelTop},
};

constexpr ControlSpec kSideImageFrame[] = {
    {L"p_Left", L"TPanel", nullptr, 0, 0, 185, 318},
    {L"im_Left", L"TImage", L"p_Left", 0, 0, 185, 318, kCentered},
    {L"p_Client", L"TPanel", nullptr, 185, 0, 369, 318, kWhite},
    {L"p_Bottom", L"TPanel", nullptr, 0, 318, 554, 50},
};

}  // namespace

std::span<const ControlSpec> TitleBandFrame() {
  return kTitleBandFrame;
}
std::span<const ControlSpec> SideImageFrame() {
  return kSideImageFrame;
}

std::vector<ControlSpec> JoinLayout(std::span<const ControlSpec> frame,
                                    std::span<const ControlSpec> own) {
  std::vector<ControlSpec> layout(frame.begin(), frame.end());
  layout.insert(layout.end(), own.begin(), own.end());
  return layout;
}

void ApplyPageTexts(TForm& page, std::initializer_list<const wchar_t*> classNames,
                    std::initializer_list<const wchar_t*> productNameLabels) {
  for (const wchar_t* className : classNames) ApplyTexts(page, App.Info.TextSection, className);
  page.SetCaption(App.Info.ProductName);
  for (const wchar_t* label : productNameLabels) {
    TControl& control = page.Control(label);
    control.SetCaption(localisation::InsertProductName(control.Caption(), App.Info.ProductName));
  }
}

}  // namespace pages
