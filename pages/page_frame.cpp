#include "pages/page_frame.h"

#include "app/app.h"
#include "core/language/scaled_pictures.h"
#include "core/text/text_escapes.h"
#include "localisation/language_choice.h"
#include "pages/apply_texts.h"
#include "util/file_bytes.h"

namespace pages {
namespace {

using namespace winfx;

constexpr int kBandHeight = 65;
constexpr int kBottomHeight = 50;
constexpr int kSideWidth = 185;

std::vector<PictureFile> FramePictureFiles(const std::wstring& fileName) {
  std::vector<PictureFile> files;
  for (const auto& picture :
       localisation::ScaledPictures(ExecutableFolder(), App.Info.Language, fileName, &FileExists)) {
    files.push_back({picture.path, picture.percent});
  }
  return files;
}

void LoadFramePicture(TForm& page, Frame frame) {
  const bool titleBand = frame == Frame::kTitleBand;
  const std::wstring image = titleBand ? L"im_Title" : L"im_Left";
  std::vector<PictureFile> files = FramePictureFiles(titleBand ? L"Title.bmp" : L"Left.bmp");
  const bool hasTitleLabel = titleBand && page.Has(L"lb_Title");
  if (hasTitleLabel) page.Control(L"lb_Title").SetVisible(false);
  if (!files.empty() && page.LoadPicture(image, std::move(files))) return;
  if (!hasTitleLabel) return;
  // Without a picture the band becomes a white strip that carries the title text.
  TControl& title = page.Control(L"lb_Title");
  RECT band;
  ::GetClientRect(page.Control(L"p_Top").Handle, &band);
  page.SetImageAutoSize(image, false);
  page.Control(image).SetBounds(0, 0, Unscaled(band.right, page.Dpi()), kBandHeight);
  page.SetImageBackgroundWhite(image, true);
  const RECT& label = title.Bounds;
  title.SetBounds(30, 26, label.right - label.left, label.bottom - label.top);
  ::SetWindowPos(title.Handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  title.SetVisible(true);
}

}  // namespace

std::vector<ControlLayout> PageLayout(Frame frame, int width, int height,
                                      std::span<const ControlLayout> own) {
  std::vector<ControlLayout> layout;
  const int clientHeight = height - kBottomHeight;
  if (frame == Frame::kTitleBand) {
    layout = {
        {L"p_Top", L"TPanel", nullptr, 0, 0, width, kBandHeight, kWhite},
        {L"im_Title", L"TImage", L"p_Top", 0, 0, width, kBandHeight, kAlignRight | kAutoSize},
        {L"p_Client", L"TPanel", nullptr, 0, kBandHeight, width, clientHeight - kBandHeight},
        {L"p_Bottom", L"TPanel", nullptr, 0, clientHeight, width, kBottomHeight, kBevelTop},
    };
  } else if (frame == Frame::kSideImage) {
    layout = {
        {L"p_Left", L"TPanel", nullptr, 0, 0, kSideWidth, clientHeight},
        {L"im_Left", L"TImage", L"p_Left", 0, 0, kSideWidth, clientHeight, kCentered},
        {L"p_Client", L"TPanel", nullptr, kSideWidth, 0, width - kSideWidth, clientHeight, kWhite},
        {L"p_Bottom", L"TPanel", nullptr, 0, clientHeight, width, kBottomHeight},
    };
  }
  layout.insert(layout.end(), own.begin(), own.end());
  return layout;
}

void BuildPage(TForm& page, Frame frame, std::initializer_list<const wchar_t*> classNames,
               std::initializer_list<const wchar_t*> productNameLabels) {
  for (const wchar_t* className : classNames)
    ApplyTexts(App.Texts(), page, App.Info.TextSection, className);
  page.SetCaption(App.Info.ProductName);
  for (const wchar_t* label : productNameLabels) {
    TControl& control = page.Control(label);
    control.SetCaption(localisation::InsertProductName(control.Caption(), App.Info.ProductName));
  }
  if (frame != Frame::kNone) LoadFramePicture(page, frame);
}

}  // namespace pages
