#include "winfx/fonts.h"

#include <map>
#include <tuple>

namespace winfx {
namespace {

// As Windows sizes a font given in points: the layout's height is taken as whole points (Tahoma
// 8 for -11) and those points made pixels at `dpi`. Scaling the pixels themselves rounds -16.5
// up to -17 at 144 DPI, a font a size too large for the controls scaled to 1.5 times.
int FontHeightForDpi(int height, UINT dpi) {
  if (dpi == kDesignDpi) return height;
  const int points = ::MulDiv(height, 72, static_cast<int>(kDesignDpi));
  return ::MulDiv(points, static_cast<int>(dpi), 72);
}

}  // namespace

HFONT FontFor(int height, bool bold, BYTE charSet, UINT dpi) {
  static std::map<std::tuple<int, bool, BYTE, UINT>, HFONT> fonts;
  if (height == 0) height = kDefaultFontHeight;
  HFONT& font = fonts[{height, bold, charSet, dpi}];
  if (font == nullptr) {
    font = ::CreateFontW(FontHeightForDpi(height, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                         FALSE, FALSE, charSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  }
  return font;
}

}  // namespace winfx
