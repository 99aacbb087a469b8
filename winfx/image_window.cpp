#include "winfx/image_window.h"

#include <objidl.h>
// objidl.h first: the GDI+ headers need it and the lean Windows headers leave it out.
#include <gdiplus.h>

#include <utility>

#include "core/language/scaled_pictures.h"
#include "util/scoped_handle.h"
#include "winfx/control.h"
#include "winfx/dpi.h"
#include "winfx/system_functions.h"

namespace winfx {
namespace {

constexpr wchar_t kImageClass[] = L"TImage";

struct ImageState {
  unsigned options = 0;
  bool whiteBackground = false;
  std::vector<PictureFile> files;
  UINT dpi = kDesignDpi;
  bool decoded = false;  // the files were read for `dpi` (successfully or not)
  std::wstring shownFile;
  win::ScopedBitmap picture;  // at the size shown
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

// A copy of `source` at `to`, bicubic: no blocks of repeated pixels when made larger, no lost
// lines when made smaller. The edges repeat themselves instead of fading to transparent.
win::ScopedBitmap ScaleSmoothly(HBITMAP source, SIZE to) {
  using namespace Gdiplus;
  if (!StartGdiPlus()) return {};
  GpBitmap* from = nullptr;
  if (WINFX_GDIPLUS(GdipCreateBitmapFromHBITMAP)(source, nullptr, &from) != Ok) return {};
  UINT fromWidth = 0;
  UINT fromHeight = 0;
  WINFX_GDIPLUS(GdipGetImageWidth)(from, &fromWidth);
  WINFX_GDIPLUS(GdipGetImageHeight)(from, &fromHeight);
  GpBitmap* scaled = nullptr;
  HBITMAP result = nullptr;
  if (WINFX_GDIPLUS(GdipCreateBitmapFromScan0)(to.cx, to.cy, 0, PixelFormat32bppARGB, nullptr,
                                               &scaled) == Ok) {
    GpGraphics* graphics = nullptr;
    GpImageAttributes* attributes = nullptr;
    if (WINFX_GDIPLUS(GdipGetImageGraphicsContext)(scaled, &graphics) == Ok &&
        WINFX_GDIPLUS(GdipCreateImageAttributes)(&attributes) == Ok) {
      WINFX_GDIPLUS(GdipSetInterpolationMode)(graphics, InterpolationModeHighQualityBicubic);
      WINFX_GDIPLUS(GdipSetPixelOffsetMode)(graphics, PixelOffsetModeHalf);
      WINFX_GDIPLUS(GdipSetImageAttributesWrapMode)(attributes, WrapModeTileFlipXY, 0, FALSE);
      WINFX_GDIPLUS(GdipDrawImageRectRectI)
      (graphics, from, 0, 0, to.cx, to.cy, 0, 0, static_cast<INT>(fromWidth),
       static_cast<INT>(fromHeight), UnitPixel, attributes, nullptr, nullptr);
      WINFX_GDIPLUS(GdipCreateHBITMAPFromBitmap)(scaled, &result, 0xFFFFFFFF);
    }
    if (attributes != nullptr) WINFX_GDIPLUS(GdipDisposeImageAttributes)(attributes);
    if (graphics != nullptr) WINFX_GDIPLUS(GdipDeleteGraphics)(graphics);
    WINFX_GDIPLUS(GdipDisposeImage)(scaled);
  }
  WINFX_GDIPLUS(GdipDisposeImage)(from);
  return win::ScopedBitmap(result);
}

win::ScopedBitmap LoadPictureFile(const std::wstring& path) {
  win::ScopedBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(
      nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!bitmap.IsValid()) bitmap = LoadWithGdiPlus(path);
  return bitmap;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof(info), &info);
  return {info.bmWidth, info.bmHeight};
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
    // In a mirrored (right-to-left) window the picture keeps its own orientation: it is placed
    // where the mirrored layout puts it, but drawn unmirrored.
    const DWORD layout = ::GetLayout(dc);
    if (layout & LAYOUT_RTL) {
      ::SetLayout(dc, 0);
      x = client.right - x - state.size.cx;
    }
    const win::ScopedCreatedDC memory(::CreateCompatibleDC(dc));
    ::SetLayout(memory.Get(), 0);
    HGDIOBJ old = ::SelectObject(memory.Get(), state.picture.Get());
    ::BitBlt(dc, x, y, state.size.cx, state.size.cy, memory.Get(), 0, 0, SRCCOPY);
    ::SelectObject(memory.Get(), old);
    if (layout & LAYOUT_RTL) ::SetLayout(dc, layout);
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
        DecodeImage(hwnd);
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

namespace {

// Chooses, reads and scales the picture for the state's DPI; false when the file cannot be read.
bool ShowPictureForDpi(HWND image, ImageState& state) {
  state.decoded = true;
  if (state.files.empty()) return false;
  std::vector<localisation::ScaledPicture> choices;
  for (const PictureFile& file : state.files) choices.push_back({file.path, file.percent});
  const int percent = Scaled(100, state.dpi);
  const localisation::ScaledPicture& chosen = localisation::NearestScale(choices, percent);
  win::ScopedBitmap bitmap = LoadPictureFile(chosen.path);
  if (!bitmap.IsValid()) return false;
  SIZE size = BitmapSize(bitmap.Get());
  if (chosen.percent != percent) {
    const SIZE wanted{::MulDiv(size.cx, percent, chosen.percent),
                      ::MulDiv(size.cy, percent, chosen.percent)};
    win::ScopedBitmap scaled = ScaleSmoothly(bitmap.Get(), wanted);
    if (scaled.IsValid()) {
      bitmap = std::move(scaled);
      size = wanted;
    }
  }
  state.picture = std::move(bitmap);
  state.size = size;
  state.shownFile = chosen.path;
  ApplyAutoSize(image, state);
  ::InvalidateRect(image, nullptr, TRUE);
  return true;
}

}  // namespace

bool SetImageFiles(HWND image, std::vector<PictureFile> files, UINT dpi) {
  ImageState* state = StateOf(image);
  if (state == nullptr) return false;
  state->files = std::move(files);
  state->dpi = dpi;
  state->decoded = false;
  state->picture.Reset();
  return !state->files.empty();
}

bool LoadImageFiles(HWND image, std::vector<PictureFile> files, UINT dpi) {
  if (!SetImageFiles(image, std::move(files), dpi)) return false;
  ImageState* state = StateOf(image);
  if (ShowPictureForDpi(image, *state)) return true;
  state->files.clear();
  return false;
}

void DecodeImage(HWND image) {
  ImageState* state = StateOf(image);
  if (state != nullptr && !state->decoded) ShowPictureForDpi(image, *state);
}

void ScaleImage(HWND image, UINT dpi) {
  ImageState* state = StateOf(image);
  if (state == nullptr || state->dpi == dpi) return;
  state->dpi = dpi;
  if (state->decoded) ShowPictureForDpi(image, *state);
}

std::wstring ImageFileShown(HWND image) {
  const ImageState* state = StateOf(image);
  return state != nullptr && state->picture.IsValid() ? state->shownFile : std::wstring();
}

bool ImageHasPicture(HWND image) {
  const ImageState* state = StateOf(image);
  if (state == nullptr) return false;
  return state->decoded ? state->picture.IsValid() : !state->files.empty();
}

}  // namespace winfx
