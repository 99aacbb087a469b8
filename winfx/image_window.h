// The window class of image controls: shows one bitmap (loaded from a BMP or PNG file), centred
// or aligned right, optionally sizing the control to the picture. Of a picture drawn at several
// scales it shows the one nearest the window's DPI, scaled smoothly to it where none fits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winfx {

struct PictureFile {
  std::wstring path;
  int percent = 100;  // the scale it is drawn for: 100 for 96 DPI, 200 for 192 DPI
};

const wchar_t* RegisterImageWindowClass();
void SetImageOptions(HWND image, unsigned options);
void SetImageAutoSizeOption(HWND image, bool autoSize);
void SetImageWhiteBackground(HWND image, bool white);
// The picture's files; false when none of them can be read.
bool LoadImageFiles(HWND image, std::vector<PictureFile> files, UINT dpi);
// The picture's files, read only when DecodeImage is called or the control is first painted;
// false when there are none.
bool SetImageFiles(HWND image, std::vector<PictureFile> files, UINT dpi);
void DecodeImage(HWND image);
// Shows the picture as suits `dpi` (after the window moved to a monitor of another scale).
void ScaleImage(HWND image, UINT dpi);
bool ImageHasPicture(HWND image);
// The file whose picture is shown, or "".
std::wstring ImageFileShown(HWND image);

}  // namespace winfx
