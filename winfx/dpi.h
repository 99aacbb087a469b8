// Scaling for the screen a window is on: layouts are written in pixels at 96 DPI and every
// window is sized, and its fonts made, for the DPI of its own monitor.
#pragma once

#include <windows.h>

namespace winfx {

constexpr UINT kDesignDpi = 96;

// The DPI of the window's monitor (GetDpiForWindow where Windows has it, else the screen's).
UINT WindowDpi(HWND window);
// A length at 96 DPI as pixels at `dpi`.
inline int Scaled(int designPixels, UINT dpi) {
  return ::MulDiv(designPixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}
// Pixels at `dpi` as a length at 96 DPI.
inline int Unscaled(int pixels, UINT dpi) {
  return ::MulDiv(pixels, static_cast<int>(kDesignDpi), static_cast<int>(dpi));
}
// The window rectangle around `client` for a frame of that style at `dpi`.
void AdjustFrameForDpi(RECT& client, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace winfx
