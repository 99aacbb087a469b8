// The functions of the common controls and of GDI+ that the window layer calls, looked up on
// first use in the libraries of the system folder. Neither library is a KnownDLL: imported, it
// would be looked for beside Setup.exe, where anybody may have put one, before the program's
// first line runs.
#pragma once

#include <windows.h>
// After windows.h, which they need; objidl.h before the GDI+ headers, which need it and which the
// lean Windows headers leave out.
#include <commctrl.h>
#include <objidl.h>
// After objidl.h.
#include <gdiplus.h>

namespace winfx::system {

// Each returns what its namesake does, or the failure value when the library or the function
// cannot be had (DefSubclassProc then hands the message to DefWindowProcW).
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// E_NOTIMPL where the common controls have no task dialog.
HRESULT TaskDialogIndirect(const TASKDIALOGCONFIG* config, int* button, int* radioButton,
                           BOOL* verificationChecked);

Gdiplus::Status GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input);
Gdiplus::Status GdipCreateBitmapFromFile(const wchar_t* path, Gdiplus::GpBitmap** bitmap);
Gdiplus::Status GdipCreateHBITMAPFromBitmap(Gdiplus::GpBitmap* bitmap, HBITMAP* result,
                                            Gdiplus::ARGB background);
Gdiplus::Status GdipDisposeImage(Gdiplus::GpImage* image);

// Any other function of GDI+'s flat interface, by name: null when the library or the function
// cannot be had. Every GDI+ since Windows XP has every function the window layer asks for.
void* GdiPlusFunction(const char* name);

}  // namespace winfx::system

// The GDI+ flat function `name`, typed as its declaration, looked up as above.
#define WINFX_GDIPLUS(name) \
  reinterpret_cast<decltype(&::Gdiplus::DllExports::name)>(::winfx::system::GdiPlusFunction(#name))

namespace winfx::system {}  // namespace winfx::system
