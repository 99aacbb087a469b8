// Initialises COM on the calling thread for the lifetime of the object, and a minimal owning
// pointer to a COM interface.
#pragma once

#include <objbase.h>

#include <utility>

namespace win {

class ScopedComInitializer {
 public:
  ScopedComInitializer() : hr_(::CoInitialize(nullptr)) {}
  ScopedComInitializer(const ScopedComInitializer&) = delete;
  ScopedComInitializer& operator=(const ScopedComInitializer&) = delete;
  ~ScopedComInitializer() {
    if (SUCCEEDED(hr_)) ::CoUninitialize();
  }
  bool Succeeded() const { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ~ComPtr() { Reset(); }

  void Reset() {
    if (ptr_ != nullptr) std::exchange(ptr_, nullptr)->Release();
  }
  Interface* Get() const { return ptr_; }
  Interface* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // For out-parameters of CoCreateInstance and QueryInterface.
  void** ReceiveVoid() {
    Reset();
    return reinterpret_cast<void**>(&ptr_);
  }

  template <typename Other>
  HRESULT As(const IID& iid, ComPtr<Other>* other) const {
    return ptr_->QueryInterface(iid, other->ReceiveVoid());
  }

 private:
  Interface* ptr_ = nullptr;
};

}  // namespace win
