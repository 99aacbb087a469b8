#include "winfx/middle_label.h"

#include <commctrl.h>

#include <string>

#include "winfx/system_functions.h"

namespace winfx {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

void Draw(HWND label, HDC dc) {
  RECT client;
  ::GetClientRect(label, &client);
  // The parent chooses colours and background, as it does for every static control.
  auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(label), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(label)));
  ::FillRect(dc, &client, brush != nullptr ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(label)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
  const HGDIOBJ oldFont = font != nullptr ? ::SelectObject(dc, font) : nullptr;
  if (!::IsWindowEnabled(label)) ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
  const UINT format =
      kFormat | ((::GetWindowLongPtrW(label, GWL_EXSTYLE) & WS_EX_RTLREADING) ? DT_RTLREADING : 0);
  RECT block = client;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &block, format | DT_CALCRECT);
  const int height = block.bottom - block.top;
  RECT target = client;
  if (height < client.bottom) target.top = (client.bottom - height) / 2;
  target.bottom = target.top + height;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &target, format);
  if (oldFont != nullptr) ::SelectObject(dc, oldFont);
}

LRESULT CALLBACK MiddleLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(label, &paint);
      Draw(label, dc);
      ::EndPaint(label, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Draw(label, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_ENABLE: {
      // The static control may draw the new state at once, top-aligned: draw it again.
      const LRESULT result = system::DefSubclassProc(label, message, wParam, lParam);
      ::InvalidateRect(label, nullptr, TRUE);
      return result;
    }
    case WM_NCDESTROY:
      system::RemoveWindowSubclass(label, MiddleLabelProc, kSubclassId);
      break;
    default:
      break;
  }
  return system::DefSubclassProc(label, message, wParam, lParam);
}

}  // namespace

void CentreTextVertically(HWND label) {
  system::SetWindowSubclass(label, MiddleLabelProc, kSubclassId, 0);
  ::InvalidateRect(label, nullptr, TRUE);
}

}  // namespace winfx
