#include "winfx/system_functions.h"

#include "util/system_libraries.h"

namespace winfx::system {
namespace {

// The function `name` of the system library `library`, or null; looked up once per call site.
template <typename Function>
Function Find(const wchar_t* library, const char* name) {
  const HMODULE module = LoadSystemLibrary(library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

constexpr wchar_t kCommonControls[] = L"comctl32.dll";
constexpr wchar_t kGdiPlus[] = L"gdiplus.dll";

}  // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  static const auto function =
      Find<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(kCommonControls, "InitCommonControlsEx");
  return function != nullptr && function(controls);
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  static const auto function = Find<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR)>(
      kCommonControls, "SetWindowSubclass");
  return function != nullptr && function(window, procedure, id, data);
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  static const auto function =
      Find<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR)>(kCommonControls, "RemoveWindowSubclass");
  return function != nullptr && function(window, procedure, id);
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const auto function =
      Find<LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM)>(kCommonControls, "DefSubclassProc");
  return function != nullptr ? function(window, message, wParam, lParam)
                             : ::DefWindowProcW(window, message, wParam, lParam);
}

HRESULT TaskDialogIndirect(const TASKDIALOGCONFIG* config, int* button, int* radioButton,
                           BOOL* verificationChecked) {
  static const auto function = Find<HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*)>(
      kCommonControls, "TaskDialogIndirect");
  return function != nullptr ? function(config, button, radioButton, verificationChecked)
                             : E_NOTIMPL;
}

Gdiplus::Status GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input) {
  static const auto function =
      Find<Gdiplus::Status(WINAPI*)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                    Gdiplus::GdiplusStartupOutput*)>(kGdiPlus, "GdiplusStartup");
  return function != nullptr ? function(token, input, nullptr) : Gdiplus::GdiplusNotInitialized;
}

Gdiplus::Status GdipCreateBitmapFromFile(const wchar_t* path, Gdiplus::GpBitmap** bitmap) {
  static const auto function = Find<Gdiplus::Status(WINAPI*)(const wchar_t*, Gdiplus::GpBitmap**)>(
      kGdiPlus, "GdipCreateBitmapFromFile");
  return function != nullptr ? function(path, bitmap) : Gdiplus::GdiplusNotInitialized;
}

Gdiplus::Status GdipCreateHBITMAPFromBitmap(Gdiplus::GpBitmap* bitmap, HBITMAP* result,
                                            Gdiplus::ARGB background) {
  static const auto function =
      Find<Gdiplus::Status(WINAPI*)(Gdiplus::GpBitmap*, HBITMAP*, Gdiplus::ARGB)>(
          kGdiPlus, "GdipCreateHBITMAPFromBitmap");
  return function != nullptr ? function(bitmap, result, background)
                             : Gdiplus::GdiplusNotInitialized;
}

Gdiplus::Status GdipDisposeImage(Gdiplus::GpImage* image) {
  static const auto function =
      Find<Gdiplus::Status(WINAPI*)(Gdiplus::GpImage*)>(kGdiPlus, "GdipDisposeImage");
  return function != nullptr ? function(image) : Gdiplus::GdiplusNotInitialized;
}

void* GdiPlusFunction(const char* name) {
  const HMODULE module = LoadSystemLibrary(kGdiPlus);
  return module == nullptr ? nullptr : reinterpret_cast<void*>(::GetProcAddress(module, name));
}

}  // namespace winfx::system
