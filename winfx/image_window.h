// The window class of image controls: shows one bitmap (loaded from a BMP or PNG file), centred
// or aligned right, optionally sizing the control to the picture.
#pragma once

#include <windows.h>

#include <string>

namespace winfx {

const wchar_t* RegisterImageWindowClass();
void SetImageOptions(HWND image, unsigned options);
void SetImageAutoSizeOption(HWND image, bool autoSize);
void SetImageWhiteBackground(HWND image, bool white);
bool LoadImageFile(HWND image, const std::wstring& path);
bool ImageHasPicture(HWND image);

}  // namespace winfx
