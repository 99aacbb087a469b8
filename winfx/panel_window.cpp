#include "winfx/panel_window.h"

#include "winfx/control.h"

namespace winfx {
namespace {

constexpr wchar_t kPanelClass[] = L"TPanel";

unsigned OptionsOf(HWND panel) {
  return static_cast<unsigned>(::GetWindowLongPtrW(panel, GWLP_USERDATA));
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_NEXTDLGCTL:  // Tab in a rich edit asks its parent for the next control
    case DM_GETDEFID:    // Enter in a rich edit asks its parent for the default button
      return ::SendMessageW(::GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    case WM_CLOSE:
      // A multi-line edit answers Esc by sending WM_CLOSE to its parent, which is this panel:
      // the form's Esc, never the end of the panel.
      return ::SendMessageW(::GetAncestor(hwnd, GA_ROOT), WM_COMMAND, IDCANCEL, 0);
    case WM_ERASEBKGND: {
      RECT rect;
      ::GetClientRect(hwnd, &rect);
      const HBRUSH brush = (OptionsOf(hwnd) & kWhite)
                               ? static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))
                               : ::GetSysColorBrush(COLOR_BTNFACE);
      ::FillRect(reinterpret_cast<HDC>(wParam), &rect, brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      if (OptionsOf(hwnd) & kBevelTop) {
        RECT rect;
        ::GetClientRect(hwnd, &rect);
        ::DrawEdge(dc, &rect, EDGE_ETCHED, BF_TOP);
      }
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

const wchar_t* RegisterPanelWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClass;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  return kPanelClass;
}

void SetPanelOptions(HWND panel, unsigned options) {
  ::SetWindowLongPtrW(panel, GWLP_USERDATA, static_cast<LONG_PTR>(options));
}

bool PanelIsWhite(HWND window) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  return lstrcmpW(className, kPanelClass) == 0 && (OptionsOf(window) & kWhite) != 0;
}

}  // namespace winfx
