#include "winfx/dpi.h"

namespace winfx {
namespace {

// Windows 10 (1607) and later: looked up in user32, which every window program has loaded.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

void AdjustFrameForDpi(RECT& client, DWORD style, DWORD exStyle, UINT dpi) {
  using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustFunction>("AdjustWindowRectExForDpi");
  if (adjustForDpi == nullptr || !adjustForDpi(&client, style, FALSE, exStyle, dpi)) {
    ::AdjustWindowRectEx(&client, style, FALSE, exStyle);
  }
}

}  // namespace winfx
