// The fonts of the forms: Tahoma at a given height, normal or bold, for a given DPI, created once
// and shared by every window at that DPI.
#pragma once

#include <windows.h>

#include "winfx/dpi.h"

namespace winfx {

constexpr int kDefaultFontHeight = -11;

// `height` 0 means the default height; heights are given at 96 DPI. The font lives until the
// process ends.
HFONT FontFor(int height, bool bold, BYTE charSet = DEFAULT_CHARSET, UINT dpi = kDesignDpi);

}  // namespace winfx
