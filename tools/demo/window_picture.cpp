#include <objidl.h>
#include <windows.h>
// objidl.h first: the GDI+ headers need it and the lean Windows headers leave it out.
#include <gdiplus.h>

#include <string>

#include "tools/demo/window_picture.h"

namespace demo {
namespace {

bool PngEncoder(CLSID* clsid) {
  UINT count = 0;
  UINT size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::string buffer(size, '\0');
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, encoders);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(encoders[i].MimeType) == L"image/png") {
      *clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

PictureWriter::PictureWriter() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

PictureWriter::~PictureWriter() {
  Gdiplus::GdiplusShutdown(token_);
}

bool PictureWriter::Save(HWND window, const std::wstring& path) const {
  RECT area;
  if (!::GetWindowRect(window, &area)) return false;
  return SaveScreenArea(area, path);
}

bool PictureWriter::SaveClientArea(HWND window, const std::wstring& path) const {
  RECT area;
  if (!::GetClientRect(window, &area)) return false;
  ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
  return SaveScreenArea(area, path);
}

bool PictureWriter::SaveScreenArea(const RECT& area, const std::wstring& path) const {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  CLSID png;
  bool saved = false;
  if (PngEncoder(&png)) {
    Gdiplus::Bitmap picture(bitmap, nullptr);
    saved = picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  ::DeleteObject(bitmap);
  return saved;
}

}  // namespace demo
