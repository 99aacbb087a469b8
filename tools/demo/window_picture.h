// Saves what a window shows on the screen as a PNG file (GDI+).
#pragma once

#include <windows.h>

#include <string>

namespace demo {

// Starts GDI+ for the lifetime of the object.
class PictureWriter {
 public:
  PictureWriter();
  ~PictureWriter();
  PictureWriter(const PictureWriter&) = delete;
  PictureWriter& operator=(const PictureWriter&) = delete;

  // The window's whole area, frame included, as it is on the screen now.
  bool Save(HWND window, const std::wstring& path) const;
  // The client area alone.
  bool SaveClientArea(HWND window, const std::wstring& path) const;

 private:
  bool SaveScreenArea(const RECT& area, const std::wstring& path) const;

  ULONG_PTR token_ = 0;
};

}  // namespace demo
