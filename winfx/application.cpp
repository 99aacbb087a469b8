#include "winfx/application.h"

#include <commctrl.h>

#include <utility>

#include "util/setup_log.h"
#include "winfx/system_functions.h"

namespace winfx {

TApplication Application;

namespace {

constexpr wchar_t kApplicationClass[] = L"TApplication";

std::wstring ExecutableBaseName() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name = path;
  name = name.substr(name.find_last_of(L'\\') + 1);
  const size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  system::InitCommonControlsEx(&controls);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kApplicationClass;
  ::RegisterClassExW(&wc);
  handle_ =
      ::CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationClass, ExecutableBaseName().c_str(), WS_POPUP,
                        0, 0, 0, 0, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

bool TApplication::LoadIconFile(const std::wstring& path) {
  auto load = [&](int size) {
    return static_cast<HICON>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
  };
  win::ScopedIcon big(load(::GetSystemMetrics(SM_CXICON)));
  win::ScopedIcon small(load(::GetSystemMetrics(SM_CXSMICON)));
  if (!big.IsValid() || !small.IsValid()) return false;
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
  return true;
}

void TApplication::SetRightToLeft(bool rightToLeft) {
  RightToLeft = rightToLeft;
  // Every window created from now on is mirrored, with its children; pictures are drawn
  // unmirrored by the image controls themselves.
  ::SetProcessDefaultLayout(rightToLeft ? LAYOUT_RTL : 0);
}

UINT TApplication::MessageBoxReading() const {
  return RightToLeft ? (MB_RTLREADING | MB_RIGHT) : 0;
}

void TApplication::Run() {
  if (terminated_ || mainForm_ == nullptr) return;
  mainForm_->Show();
  running_ = true;
  MSG message;
  while (!terminated_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, Enter and Esc work on every form as in a dialog box.
    HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    if (root != nullptr && root != handle_ && ::IsDialogMessageW(root, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  running_ = false;
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  // Before the loop runs only the flag is set: a pending quit message would end the next
  // message box at once.
  if (running_) ::PostQuitMessage(0);
}

void TApplication::DestroyForms() {
  while (!forms_.empty()) forms_.pop_back();
  mainForm_ = nullptr;
  if (handle_ != nullptr) ::DestroyWindow(handle_);
  handle_ = nullptr;
  bigIcon_.Reset();
  smallIcon_.Reset();
}

void ShowMessage(const std::wstring& text) {
  LogLine(L"message: " + text);
  if (Application.Quiet) return;
  ::MessageBoxW(Application.Handle(), text.c_str(), ExecutableBaseName().c_str(),
                MB_OK | Application.MessageBoxReading());
}

}  // namespace winfx
