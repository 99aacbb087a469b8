#include "winfx/fonts.h"

#include <map>
#include <tuple>

namespace winfx {

HFONT FontFor(int height, bool bold, BYTE charSet) {
  static std::map<std::tuple<int, bool, BYTE>, HFONT> fonts;
  if (height == 0) height = kDefaultFontHeight;
  HFONT& font = fonts[{height, bold, charSet}];
  if (font == nullptr) {
    font = ::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, charSet,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  }
  return font;
}

}  // namespace winfx
