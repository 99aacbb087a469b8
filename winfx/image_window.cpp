#include "winfx/image_window.h"

#include <objidl.h>
// objidl.h first: the GDI+ headers need it and the lean Windows headers leave it out.
#include <gdiplus.h>

#include <utility>

#include "util/scoped_handle.h"
#include "winfx/control.h"
#include "winfx/system_functions.h"

namespace winfx {
namespace {

constexpr wchar_t kImageClass[] = L"TImage";

struct ImageState {
  unsigned options = 0;
  bool whiteBackground = false;
  win::ScopedBitmap picture;
  SIZE size{};
};

ImageState* StateOf(HWND hwnd) {
  return reinterpret_cast<ImageState*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// GDI+ stays started for the rest of the process once a PNG has been loaded.
bool StartGdiPlus() {
  static const bool started = [] {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    return system::GdiplusStartup(&token, &input) == Gdiplus::Ok;
  }();
  return started;
}

win::ScopedBitmap LoadWithGdiPlus(const std::wstring& path) {
  if (!StartGdiPlus()) return {};
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (system::GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok) {
    return {};
  }
  HBITMAP result = nullptr;
  system::GdipCreateHBITMAPFromBitmap(bitmap, &result, 0xFFFFFFFF);
  system::GdipDisposeImage(bitmap);
  return win::ScopedBitmap(result);
}

void Paint(HWND hwnd, ImageState& state) {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(hwnd, &paint);
  RECT client;
  ::GetClientRect(hwnd, &client);
  ::FillRect(dc, &client,
             state.whiteBackground ? static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))
                                   : ::GetSysColorBrush(COLOR_BTNFACE));
  if (state.picture.IsValid()) {
    int x = 0;
    int y = 0;
    if (state.options & kCentered) {
      x = (client.right - state.size.cx) / 2;
      y = (client.bottom - state.size.cy) / 2;
    } else if (state.options & kAlignRight) {
      x = client.right - state.size.cx;
    }
    const win::ScopedCreatedDC memory(::CreateCompatibleDC(dc));
    HGDIOBJ old = ::SelectObject(memory.Get(), state.picture.Get());
    ::BitBlt(dc, x, y, state.size.cx, state.size.cy, memory.Get(), 0, 0, SRCCOPY);
    ::SelectObject(memory.Get(), old);
  }
  ::EndPaint(hwnd, &paint);
}

void ApplyAutoSize(HWND hwnd, const ImageState& state) {
  if (!(state.options & kAutoSize) || !state.picture.IsValid()) return;
  RECT rect;
  ::GetWindowRect(hwnd, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  int left = rect.left;
  if (state.options & kAlignRight) {
    RECT parent;
    ::GetClientRect(::GetParent(hwnd), &parent);
    left = parent.right - state.size.cx;
  }
  ::MoveWindow(hwnd, left, rect.top, state.size.cx, state.size.cy, TRUE);
}

LRESULT CALLBACK ImageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ImageState* state = StateOf(hwnd);
  switch (message) {
    case WM_NCCREATE:
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ImageState));
      break;
    case WM_NCDESTROY:
      if (state != nullptr) {
        delete state;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (state != nullptr) {
        Paint(hwnd, *state);
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

const wchar_t* RegisterImageWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ImageProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kImageClass;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  return kImageClass;
}

void SetImageOptions(HWND image, unsigned options) {
  if (ImageState* state = StateOf(image)) state->options = options;
}

void SetImageAutoSizeOption(HWND image, bool autoSize) {
  if (ImageState* state = StateOf(image)) {
    state->options = autoSize ? (state->options | kAutoSize) : (state->options & ~kAutoSize);
  }
}

void SetImageWhiteBackground(HWND image, bool white) {
  if (ImageState* state = StateOf(image)) {
    state->whiteBackground = white;
    ::InvalidateRect(image, nullptr, TRUE);
  }
}

bool LoadImageFile(HWND image, const std::wstring& path) {
  ImageState* state = StateOf(image);
  if (state == nullptr) return false;
  win::ScopedBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(
      nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!bitmap.IsValid()) bitmap = LoadWithGdiPlus(path);
  if (!bitmap.IsValid()) return false;
  state->picture = std::move(bitmap);
  BITMAP info{};
  ::GetObjectW(state->picture.Get(), sizeof(info), &info);
  state->size = {info.bmWidth, info.bmHeight};
  ApplyAutoSize(image, *state);
  ::InvalidateRect(image, nullptr, TRUE);
  return true;
}

bool ImageHasPicture(HWND image) {
  const ImageState* state = StateOf(image);
  return state != nullptr && state->picture.IsValid();
}

}  // namespace winfx
