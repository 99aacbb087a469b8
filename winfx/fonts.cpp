#include "winfx/fonts.h"

#include <map>
#include <utility>

namespace winfx {

HFONT FontFor(int height, bool bold) {
  static std::map<std::pair<int, bool>, HFONT> fonts;
  if (height == 0) height = kDefaultFontHeight;
  HFONT& font = fonts[{height, bold}];
  if (font == nullptr) {
    font = ::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  }
  return font;
}

}  // namespace winfx
