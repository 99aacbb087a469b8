// Owners of handles and of memory the system hands over: each frees its resource exactly once,
// with the function that resource needs, and none lets the raw handle outlive the owner unless
// released explicitly. One owner template, then one line per resource type.
#pragma once

#include <windows.h>

#include <utility>

namespace win {

template <typename Traits>
class ScopedGeneric {
 public:
  using Handle = typename Traits::Handle;

  ScopedGeneric() = default;
  explicit ScopedGeneric(Handle handle) : handle_(handle) {}
  ScopedGeneric(const ScopedGeneric&) = delete;
  ScopedGeneric& operator=(const ScopedGeneric&) = delete;
  ScopedGeneric(ScopedGeneric&& other) noexcept : handle_(other.Release()) {}
  ScopedGeneric& operator=(ScopedGeneric&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  ~ScopedGeneric() { Reset(); }

  bool IsValid() const { return Traits::IsValid(handle_); }
  explicit operator bool() const { return IsValid(); }
  Handle Get() const { return handle_; }

  void Reset(Handle handle = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  // Some APIs fail with NULL, others with INVALID_HANDLE_VALUE; neither is ever closed.
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};

// Resources whose failure value is null, freed by `Free`.
template <typename H, auto Free>
struct NullInvalidTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { Free(h); }
};

using ScopedHandle = ScopedGeneric<KernelHandleTraits>;
using ScopedFindHandle = ScopedGeneric<FindHandleTraits>;
// Memory from LocalAlloc and from the APIs that hand theirs over so (CommandLineToArgvW,
// FormatMessageW with FORMAT_MESSAGE_ALLOCATE_BUFFER), as a typed pointer.
template <typename T>
using ScopedLocalMemory = ScopedGeneric<NullInvalidTraits<T*, ::LocalFree>>;
// Memory handles from GlobalAlloc and those the common dialogs hand over (PRINTDLGW's
// hDevMode and hDevNames).
using ScopedGlobalMemory = ScopedGeneric<NullInvalidTraits<HGLOBAL, ::GlobalFree>>;
// Device contexts that are deleted rather than released: CreateDC, CreateCompatibleDC, and the
// printer context of PrintDlgW with PD_RETURNDC. Select the original objects back in before the
// owner goes.
using ScopedCreatedDC = ScopedGeneric<NullInvalidTraits<HDC, ::DeleteDC>>;
// GDI objects: fonts, bitmaps, brushes, pens. None may still be selected into a device context
// when its owner goes.
template <typename T>
using ScopedGdiObject = ScopedGeneric<NullInvalidTraits<T, ::DeleteObject>>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
// Icons from LoadImageW, CreateIconIndirect and the like; not shared icons (LR_SHARED).
using ScopedIcon = ScopedGeneric<NullInvalidTraits<HICON, ::DestroyIcon>>;

}  // namespace win
