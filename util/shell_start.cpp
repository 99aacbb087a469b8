#include "util/shell_start.h"

#include <windows.h>
// After windows.h, which they need; shellapi.h before the shell's interfaces, so that its
// ShellExecute macro renames their method and the call alike.
#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include "util/com_init.h"
#include "util/setup_log.h"

namespace {

// SID_STopLevelBrowser, defined here so that no GUID library has to carry it.
constexpr GUID kTopLevelBrowser = {
    0x4c96be40, 0x915c, 0x11cf, {0x99, 0xd3, 0x00, 0xaa, 0x00, 0x4a, 0xe8, 0x37}};

// A BSTR owned for one call.
class ScopedBstr {
 public:
  explicit ScopedBstr(const std::wstring& text) : bstr_(::SysAllocString(text.c_str())) {}
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  ~ScopedBstr() { ::SysFreeString(bstr_); }
  BSTR Get() const { return bstr_; }

 private:
  BSTR bstr_;
};

// A VARIANT holding a string, owned for one call.
class StringVariant {
 public:
  explicit StringVariant(const std::wstring& text) {
    ::VariantInit(&variant_);
    variant_.vt = VT_BSTR;
    variant_.bstrVal = ::SysAllocString(text.c_str());
  }
  explicit StringVariant(int number) {
    ::VariantInit(&variant_);
    variant_.vt = VT_I4;
    variant_.lVal = number;
  }
  StringVariant(const StringVariant&) = delete;
  StringVariant& operator=(const StringVariant&) = delete;
  ~StringVariant() { ::VariantClear(&variant_); }
  const VARIANT& Get() const { return variant_; }

 private:
  VARIANT variant_;
};

// The shell's automation object of the desktop window: its ShellExecute runs in Explorer.
win::ComPtr<IShellDispatch2> DesktopShellDispatch() {
  win::ComPtr<IShellWindows> windows;
  if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.ReceiveVoid()))) {
    return {};
  }
  VARIANT desktop;
  ::VariantInit(&desktop);
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  VARIANT empty;
  ::VariantInit(&empty);
  long window = 0;
  win::ComPtr<IDispatch> found;
  if (windows->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            reinterpret_cast<IDispatch**>(found.ReceiveVoid())) != S_OK ||
      !found) {
    return {};
  }
  win::ComPtr<IServiceProvider> provider;
  win::ComPtr<IShellBrowser> browser;
  win::ComPtr<IShellView> view;
  win::ComPtr<IDispatch> background;
  win::ComPtr<IShellFolderViewDual> folderView;
  win::ComPtr<IDispatch> application;
  win::ComPtr<IShellDispatch2> shell;
  if (FAILED(found.As(IID_IServiceProvider, &provider)) ||
      FAILED(provider->QueryService(kTopLevelBrowser, IID_IShellBrowser, browser.ReceiveVoid())) ||
      FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.ReceiveVoid()))) ||
      !view ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.ReceiveVoid())) ||
      FAILED(background.As(IID_IShellFolderViewDual, &folderView)) ||
      FAILED(
          folderView->get_Application(reinterpret_cast<IDispatch**>(application.ReceiveVoid()))) ||
      !application || FAILED(application.As(IID_IShellDispatch2, &shell))) {
    return {};
  }
  return shell;
}

}  // namespace

bool StartAsUser(const std::wstring& program, const std::wstring& arguments,
                 const std::wstring& folder, int show) {
  const win::ScopedComInitializer com;
  const win::ComPtr<IShellDispatch2> shell = DesktopShellDispatch();
  bool started = false;
  if (shell) {
    const ScopedBstr file(program);
    const StringVariant args(arguments);
    const StringVariant directory(folder);
    const StringVariant verb(std::wstring(L"open"));
    const StringVariant shown(show);
    started = SUCCEEDED(
        shell->ShellExecute(file.Get(), args.Get(), directory.Get(), verb.Get(), shown.Get()));
  }
  LogLine((started ? L"started through the desktop shell: "
                   : L"not started, as no desktop shell could start it as the user: ") +
          program + (arguments.empty() ? L"" : L" " + arguments));
  return started;
}
