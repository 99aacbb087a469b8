#include "winfx/control.h"

#include <commctrl.h>

#include "winfx/dpi.h"

namespace winfx {

std::wstring TControl::Caption() const {
  if (Handle == nullptr) return {};
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(Handle)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(Handle, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TControl::SetCaption(const std::wstring& text) {
  if (Handle != nullptr) ::SetWindowTextW(Handle, text.c_str());
}

bool TControl::Visible() const {
  return Handle != nullptr && ::IsWindowVisible(Handle);
}

void TControl::SetVisible(bool visible) {
  if (Handle != nullptr) ::ShowWindow(Handle, visible ? SW_SHOWNA : SW_HIDE);
}

bool TControl::Enabled() const {
  return Handle != nullptr && ::IsWindowEnabled(Handle);
}

void TControl::SetEnabled(bool enabled) {
  if (Handle != nullptr) ::EnableWindow(Handle, enabled);
}

bool TControl::Checked() const {
  return Handle != nullptr && ::SendMessageW(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TControl::SetChecked(bool checked) {
  if (Handle != nullptr) {
    ::SendMessageW(Handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  Bounds = {left, top, left + width, top + height};
  LayOut(Dpi);
}

void TControl::LayOut(UINT dpi) {
  Dpi = dpi;
  if (Handle == nullptr) return;
  const int left = Scaled(Bounds.left, dpi);
  const int top = Scaled(Bounds.top, dpi);
  ::MoveWindow(Handle, left, top, Scaled(Bounds.right, dpi) - left,
               Scaled(Bounds.bottom, dpi) - top, TRUE);
}

void TControl::SetPosition(int position) {
  if (Handle != nullptr) ::SendMessageW(Handle, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int TControl::Position() const {
  return Handle == nullptr ? 0 : static_cast<int>(::SendMessageW(Handle, PBM_GETPOS, 0, 0));
}

}  // namespace winfx
