#include "winfx/form.h"

#include <commctrl.h>
#include <richedit.h>

#include <stdexcept>
#include <string>

#include "util/system_libraries.h"
#include "winfx/application.h"
#include "winfx/dpi.h"
#include "winfx/fonts.h"
#include "winfx/image_window.h"
#include "winfx/middle_label.h"
#include "winfx/panel_window.h"
#include "winfx/system_functions.h"
#include "winfx/taskbar_button.h"

namespace winfx {
namespace {

constexpr int kFirstControlId = 100;  // above IDOK/IDCANCEL, which dialog navigation sends
constexpr UINT_PTR kFirstTimerId = 1000;

DWORD StyleFor(BorderStyle border) {
  switch (border) {
    case BorderStyle::kDialogNoIcons:
      return WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    case BorderStyle::kDialog:
      return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case BorderStyle::kSizeable:
      return WS_POPUP | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  }
  return WS_POPUP | WS_CAPTION;
}

// Every form is a window of its own on the taskbar and in Alt+Tab, with no owner.
DWORD ExStyleFor(BorderStyle border) {
  return (border == BorderStyle::kSizeable ? 0 : WS_EX_DLGMODALFRAME) | WS_EX_CONTROLPARENT |
         WS_EX_APPWINDOW;
}

void RegisterFormClass(const wchar_t* className, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &wc)) return;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  ::RegisterClassExW(&wc);
}

// Tab and Esc belong to the form, never to a rich edit (which would answer Esc with WM_CLOSE to
// its parent and move on twice for one Tab); in a read-only one Enter presses the default button.
LRESULT CALLBACK RichEditKeysProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
  if (message == WM_GETDLGCODE && lParam != 0) {
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    const bool readOnly = (::GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY) != 0;
    if ((key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
        (key->wParam == VK_TAB || key->wParam == VK_ESCAPE ||
         (readOnly && key->wParam == VK_RETURN))) {
      const LRESULT code = system::DefSubclassProc(hwnd, message, wParam, lParam);
      return code & ~(DLGC_WANTMESSAGE | DLGC_WANTALLKEYS | DLGC_WANTTAB);
    }
  }
  return system::DefSubclassProc(hwnd, message, wParam, lParam);
}

const wchar_t* RichEditClass() {
  static const bool loaded = LoadSystemLibrary(L"msftedit.dll") != nullptr;
  return loaded ? MSFTEDIT_CLASS : L"RICHEDIT20W";
}

}  // namespace

TForm::TForm(const FormLayout& form, std::span<const ControlLayout> layout)
    : Name(form.name), ClassName(form.windowClass), layout_(form) {
  RegisterFormClass(form.windowClass, &TForm::StaticWindowProc);
  const DWORD style = StyleFor(form.border);
  const DWORD exStyle = ExStyleFor(form.border);
  // Sized for the primary monitor's DPI first; a window that lands on another monitor is sized
  // again below.
  dpi_ = WindowDpi(nullptr);
  RECT frame{0, 0, Scaled(form.clientWidth, dpi_), Scaled(form.clientHeight, dpi_)};
  AdjustFrameForDpi(frame, style, exStyle, dpi_);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetLastError(0);
  handle_ = ::CreateWindowExW(exStyle, form.windowClass, form.name, style, left, top, width, height,
                              Application.Quiet ? HWND_MESSAGE : nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), this);
  if (handle_ == nullptr) {
    throw std::runtime_error("cannot create a form window (error " +
                             std::to_string(::GetLastError()) + ")");
  }
  if (Application.BigIcon() != nullptr) {
    ::SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application.BigIcon()));
    ::SendMessageW(handle_, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(Application.SmallIcon()));
  }
  if (const UINT dpi = WindowDpi(handle_); dpi != dpi_) {
    dpi_ = dpi;
    FitFrameToDpi(nullptr);
  }
  ::SendMessageW(handle_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontFor(0, false, DEFAULT_CHARSET, dpi_)), FALSE);
  CreateControls(layout);
}

void TForm::FitFrameToDpi(const RECT* suggested) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(handle_, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  RECT frame{0, 0, Scaled(layout_.clientWidth, dpi_), Scaled(layout_.clientHeight, dpi_)};
  AdjustFrameForDpi(frame, style, exStyle, dpi_);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT now;
  ::GetWindowRect(handle_, &now);
  // Where Windows suggests (the top-left corner on the new monitor), else around the same centre.
  const int left = suggested != nullptr ? suggested->left : (now.left + now.right - width) / 2;
  const int top = suggested != nullptr ? suggested->top : (now.top + now.bottom - height) / 2;
  ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::ApplyDpi(UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  FitFrameToDpi(suggested);
  ::SendMessageW(handle_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontFor(0, false, DEFAULT_CHARSET, dpi_)), FALSE);
  // Parents before children: the layout lists a panel before what sits on it.
  for (const auto& control : components_) {
    if (control->Handle == nullptr) continue;
    control->LayOut(dpi_);
    SetControlFont(*control);
    if (control->ClassName == L"TImage") ScaleImage(control->Handle, dpi_);
  }
  ::InvalidateRect(handle_, nullptr, TRUE);
}

void TForm::SetControlFont(const TControl& control) const {
  const ControlLayout& row = control.Layout;
  const HFONT font = FontFor(row.fontHeight, (row.options & kBold) != 0, row.charSet, dpi_);
  ::SendMessageW(control.Handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

TForm::~TForm() {
  if (handle_ != nullptr && ::IsWindow(handle_)) {
    ::SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    ::DestroyWindow(handle_);
  }
}

void TForm::CreateControls(std::span<const ControlLayout> layout) {
  int id = kFirstControlId;
  for (const ControlLayout& row : layout) {
    auto control = std::make_unique<TControl>(row);
    HWND parent = handle_;
    if (row.parent != nullptr) parent = Control(row.parent).Handle;
    control->Dpi = dpi_;
    // A rich edit (and the library behind it) waits for the form's first showing.
    if (control->ClassName == L"TRichEdit") {
      deferred_.push_back({control.get(), id});
    } else if (control->ClassName != L"TTimer") {
      control->Handle = CreateControlWindow(*control, parent, id);
    }
    byName_[control->Name] = control.get();
    components_.push_back(std::move(control));
    ++id;
  }
}

HWND TForm::CreateControlWindow(TControl& control, HWND parent, int id) {
  const ControlLayout& row = control.Layout;
  const std::wstring& kind = control.ClassName;
  const wchar_t* windowClass = WC_STATICW;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  // Right-to-left windows read their texts right to left as well as being mirrored.
  DWORD exStyle = Application.RightToLeft ? WS_EX_RTLREADING : 0;
  if (!(row.options & kHidden)) style |= WS_VISIBLE;
  if (row.options & kDisabled) style |= WS_DISABLED;

  if (kind == L"TLabel") {
    style |= SS_NOPREFIX;
    if (row.options & kCentered) {
      style |= SS_CENTER;
    } else {
      style |= (row.options & kWordWrap) ? SS_LEFT : SS_LEFTNOWORDWRAP;
    }
  } else if (kind == L"TButton") {
    windowClass = WC_BUTTONW;
    style |= WS_TABSTOP | ((row.options & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  } else if (kind == L"TCheckBox") {
    windowClass = WC_BUTTONW;
    style |= WS_TABSTOP | BS_AUTOCHECKBOX;
  } else if (kind == L"TRadioButton") {
    windowClass = WC_BUTTONW;
    style |= WS_TABSTOP | BS_AUTORADIOBUTTON;
  } else if (kind == L"TRichEdit") {
    windowClass = RichEditClass();
    style |= WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
    if (row.options & kReadOnly) style |= ES_READONLY;
    if (row.options & kScrollBars) style |= WS_VSCROLL;
    exStyle |= WS_EX_CLIENTEDGE;
  } else if (kind == L"TImage") {
    windowClass = RegisterImageWindowClass();
  } else if (kind == L"TPanel") {
    windowClass = RegisterPanelWindowClass();
    exStyle |= WS_EX_CONTROLPARENT;
  } else if (kind == L"TProgressBar") {
    windowClass = PROGRESS_CLASSW;
  } else {
    throw std::invalid_argument("unknown control class in a form layout");
  }

  const std::wstring caption = row.caption != nullptr ? row.caption : row.name;
  const bool hasText =
      kind == L"TLabel" || kind == L"TButton" || kind == L"TCheckBox" || kind == L"TRadioButton";
  const int left = Scaled(row.left, dpi_);
  const int top = Scaled(row.top, dpi_);
  HWND hwnd = ::CreateWindowExW(
      exStyle, windowClass, hasText ? caption.c_str() : L"", style, left, top,
      Scaled(row.left + row.width, dpi_) - left, Scaled(row.top + row.height, dpi_) - top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  if (hwnd == nullptr) throw std::runtime_error("cannot create a control window");
  ::SendMessageW(hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(
                     FontFor(row.fontHeight, (row.options & kBold) != 0, row.charSet, dpi_)),
                 FALSE);
  if (kind == L"TProgressBar") ::SendMessageW(hwnd, PBM_SETRANGE32, 0, 100);
  if (kind == L"TRichEdit") system::SetWindowSubclass(hwnd, RichEditKeysProc, 0, 0);
  if (kind == L"TPanel") SetPanelOptions(hwnd, row.options);
  if (kind == L"TImage") SetImageOptions(hwnd, row.options);
  if (kind == L"TLabel" && (row.options & kMiddle)) CentreTextVertically(hwnd);
  if ((kind == L"TCheckBox" || kind == L"TRadioButton") && (row.options & kChecked)) {
    ::SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
  }
  return hwnd;
}

TControl& TForm::Control(const std::wstring& name) const {
  const auto found = byName_.find(name);
  if (found == byName_.end()) throw std::out_of_range("no component of that name in the form");
  return *found->second;
}

std::wstring TForm::Caption() const {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TForm::SetCaption(const std::wstring& caption) {
  ::SetWindowTextW(handle_, caption.c_str());
}

void TForm::Show() {
  if (Application.Quiet) return;
  PrepareFirstShow();
  ::ShowWindow(handle_, SW_SHOW);
  ::SetForegroundWindow(handle_);
  HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsChild(handle_, focus)) RestoreFocus();
}

void TForm::Hide() {
  ::ShowWindow(handle_, SW_HIDE);
}

bool TForm::Visible() const {
  return ::IsWindowVisible(handle_) != FALSE;
}

void TForm::Close() {
  ::SendMessageW(handle_, WM_CLOSE, 0, 0);
}

void TForm::SetOpacity(BYTE alpha) {
  LONG_PTR exStyle = ::GetWindowLongPtrW(handle_, GWL_EXSTYLE) | WS_EX_LAYERED;
  // A window nobody can see takes no place on the taskbar nor in Alt+Tab.
  const bool wasOnTaskbar = (exStyle & WS_EX_APPWINDOW) != 0;
  if (alpha == 0) exStyle = (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW;
  ::SetWindowLongPtrW(handle_, GWL_EXSTYLE, exStyle);
  ::SetLayeredWindowAttributes(handle_, 0, alpha, LWA_ALPHA);
  if (alpha == 0 && wasOnTaskbar) RemoveTaskbarButton(handle_);
}

void TForm::SetTimerEnabled(const std::wstring& timerName, bool enabled) {
  const TControl& timer = Control(timerName);
  for (size_t index = 0; index < components_.size(); ++index) {
    if (components_[index].get() != &timer) continue;
    if (enabled) {
      ::SetTimer(handle_, kFirstTimerId + index, timer.Interval, nullptr);
    } else {
      ::KillTimer(handle_, kFirstTimerId + index);
    }
  }
}

void TForm::SetTimerInterval(const std::wstring& timerName, UINT milliseconds) {
  Control(timerName).Interval = milliseconds;
}

bool TForm::LoadPicture(const std::wstring& imageName, std::vector<PictureFile> files) {
  // Read when the form is first shown, not while every form is built at start.
  if (!shownOnce_) return SetImageFiles(Control(imageName).Handle, std::move(files), dpi_);
  return LoadImageFiles(Control(imageName).Handle, std::move(files), dpi_);
}

void TForm::PrepareFirstShow() {
  if (shownOnce_) return;
  shownOnce_ = true;
  CreateDeferredControls();
  for (const auto& control : components_) {
    if (control->ClassName == L"TImage") DecodeImage(control->Handle);
  }
  if (OnFirstShow) OnFirstShow();
}

void TForm::CreateDeferredControls() {
  for (const auto& [control, id] : deferred_) {
    const ControlLayout& row = control->Layout;
    HWND parent = row.parent != nullptr ? Control(row.parent).Handle : handle_;
    control->Handle = CreateControlWindow(*control, parent, id);
    // Its place in the tab order is its place in the layout: after the control before it on the
    // same parent.
    HWND after = HWND_TOP;
    for (const auto& other : components_) {
      if (other.get() == control) break;
      if (other->Handle != nullptr && ::GetParent(other->Handle) == parent) after = other->Handle;
    }
    ::SetWindowPos(control->Handle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (control->Dpi != dpi_) control->LayOut(dpi_);
  }
  deferred_.clear();
}

std::wstring TForm::PictureFileShown(const std::wstring& imageName) const {
  return ImageFileShown(Control(imageName).Handle);
}

bool TForm::HasPicture(const std::wstring& imageName) const {
  return ImageHasPicture(Control(imageName).Handle);
}

void TForm::SetImageBackgroundWhite(const std::wstring& imageName, bool white) {
  SetImageWhiteBackground(Control(imageName).Handle, white);
}

void TForm::SetImageAutoSize(const std::wstring& imageName, bool autoSize) {
  SetImageAutoSizeOption(Control(imageName).Handle, autoSize);
}

void TForm::OnMessage(UINT message, std::function<void(WPARAM, LPARAM)> handler) {
  messageHandlers_[message] = std::move(handler);
}

TControl* TForm::FindByHandle(HWND hwnd) const {
  for (const auto& control : components_) {
    if (control->Handle == hwnd) return control.get();
  }
  return nullptr;
}

TControl* TForm::FindTimer(UINT_PTR id) const {
  if (id < kFirstTimerId || id - kFirstTimerId >= components_.size()) return nullptr;
  return components_[id - kFirstTimerId].get();
}

TControl* TForm::ShownButton(unsigned option) const {
  for (const auto& control : components_) {
    if ((control->Layout.options & option) && control->ClassName == L"TButton" &&
        control->Visible()) {
      return control.get();
    }
  }
  return nullptr;
}

void TForm::OnCommand(WPARAM wParam, LPARAM lParam) {
  const WORD id = LOWORD(wParam);
  if (lParam == 0) {
    // Keyboard navigation: Enter presses the default button, Esc the Cancel button or, on a
    // form without one, the close box.
    if (id == IDOK || id == IDCANCEL) {
      TControl* button = ShownButton(id == IDOK ? kDefault : kCancel);
      if (button != nullptr) {
        if (button->Enabled() && button->OnClick) button->OnClick();
      } else if (id == IDCANCEL) {
        Close();
      }
    }
    return;
  }
  if (HIWORD(wParam) != BN_CLICKED) return;
  TControl* control = FindByHandle(reinterpret_cast<HWND>(lParam));
  if (control != nullptr && control->OnClick) control->OnClick();
}

LRESULT TForm::OnControlColor(HDC dc, HWND controlHandle) {
  const TControl* control = FindByHandle(controlHandle);
  if (control != nullptr && control->Layout.textColor != CLR_INVALID) {
    ::SetTextColor(dc, control->Layout.textColor);
  }
  ::SetBkMode(dc, TRANSPARENT);
  const bool white = PanelIsWhite(::GetParent(controlHandle));
  ::SetBkColor(dc, white ? RGB(255, 255, 255) : ::GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(white ? ::GetStockObject(WHITE_BRUSH)
                                         : ::GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TForm::DefaultButtonId() const {
  // Enter presses the focused push button, else the default button.
  TControl* focused = FindByHandle(::GetFocus());
  TControl* button =
      focused != nullptr && focused->ClassName == L"TButton" ? focused : ShownButton(kDefault);
  if (button == nullptr) return 0;
  return MAKELRESULT(::GetDlgCtrlID(button->Handle), DC_HASDEFID);
}

void TForm::MoveFocus(WPARAM wParam, LPARAM lParam) {
  HWND next = nullptr;
  if (LOWORD(lParam) != 0) {
    next = reinterpret_cast<HWND>(wParam);
  } else {
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(handle_, focus)) focus = nullptr;
    next = ::GetNextDlgTabItem(handle_, focus, wParam != 0);
  }
  if (next != nullptr) ::SetFocus(next);
}

void TForm::RestoreFocus() {
  if (lastFocus_ != nullptr && ::IsChild(handle_, lastFocus_) && ::IsWindowVisible(lastFocus_) &&
      ::IsWindowEnabled(lastFocus_)) {
    ::SetFocus(lastFocus_);
    return;
  }
  TControl* button = ShownButton(kDefault);
  HWND first = button != nullptr && button->Enabled()
                   ? button->Handle
                   : ::GetNextDlgTabItem(handle_, nullptr, FALSE);
  if (first != nullptr) ::SetFocus(first);
}

LRESULT TForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto handler = messageHandlers_.find(message);
  if (handler != messageHandlers_.end()) {
    handler->second(wParam, lParam);
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER:
      if (TControl* timer = FindTimer(wParam); timer != nullptr && timer->OnTimer) {
        timer->OnTimer();
      }
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) PrepareFirstShow();
      if (wParam && OnShow) OnShow();
      break;
    // Moved to a monitor of another scale (or the scale changed): laid out again for it.
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    // The keyboard as in a dialog box: the focus stays on a control of the form, and a
    // control that asks for the next control or the default button (a rich edit does) gets it.
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(handle_, focus)) lastFocus_ = focus;
      } else {
        RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_NEXTDLGCTL:
      MoveFocus(wParam, lParam);
      return 0;
    case DM_GETDEFID:
      return DefaultButtonId();
    case WM_CLOSE:
      if (OnCloseQuery && !OnCloseQuery()) return 0;
      if (Application.MainForm() == this) {
        ::DestroyWindow(handle_);
      } else {
        Hide();
      }
      return 0;
    case WM_DESTROY:
      if (Application.MainForm() == this) Application.Terminate();
      break;
    default:
      break;
  }
  return ::DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TForm::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* form = static_cast<TForm*>(create->lpCreateParams);
    form->handle_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (form == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return form->WindowProc(message, wParam, lParam);
}

}  // namespace winfx
