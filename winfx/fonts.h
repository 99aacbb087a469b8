// The fonts of the forms: Tahoma at a given height, normal or bold, created once and shared.
#pragma once

#include <windows.h>

namespace winfx {

constexpr int kDefaultFontHeight = -11;

// `height` 0 means the default height. The font lives until the process ends.
HFONT FontFor(int height, bool bold, BYTE charSet = DEFAULT_CHARSET);

}  // namespace winfx
