// A top-level window built from a layout table: the base of the preparation window and every
// wizard page. Controls are created in layout order, which is also their tab order and the order
// in which texts are applied to them.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "winfx/control.h"
#include "winfx/dpi.h"
#include "winfx/image_window.h"

namespace winfx {

enum class BorderStyle {
  kDialogNoIcons,  // dialog frame, no system menu
  kDialog,         // dialog frame, system menu (close box) only
  kSizeable,       // sizeable frame with every border icon
};

struct FormLayout {
  const wchar_t* name;         // instance name, e.g. "FWelcome"; first part of text identifiers
  const wchar_t* windowClass;  // class name, e.g. "TFWelcome"; also the window class name
  int clientWidth;
  int clientHeight;
  BorderStyle border;
};

class TForm {
 public:
  TForm(const FormLayout& form, std::span<const ControlLayout> layout);
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;
  virtual ~TForm();

  const std::wstring Name;
  const std::wstring ClassName;
  HWND Handle() const { return handle_; }
  // The form's layout at 96 DPI.
  const FormLayout& Layout() const { return layout_; }
  // The DPI the form is laid out for: its monitor's.
  UINT Dpi() const { return dpi_; }
  // Lays the form out again for `dpi`, as when it moves to a monitor of that scale;
  // `suggested` is where Windows proposes to put it (nullptr: around its centre).
  void ApplyDpi(UINT dpi, const RECT* suggested = nullptr);

  // Components in layout order; components on panels belong to the form too.
  const std::vector<std::unique_ptr<TControl>>& Components() const { return components_; }
  // The component of that name; throws std::out_of_range for a name not in the layout. A rich
  // edit has no window (Handle nullptr) until the form is first shown.
  TControl& Control(const std::wstring& name) const;
  bool Has(const std::wstring& name) const { return byName_.count(name) != 0; }

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  void Show();
  void Hide();
  bool Visible() const;
  // Asks the form to close, as its close box does: OnCloseQuery may refuse.
  void Close();
  // Layered window with the given opacity (0 = fully transparent, still shown).
  void SetOpacity(BYTE alpha);

  void SetTimerEnabled(const std::wstring& timerName, bool enabled);
  void SetTimerInterval(const std::wstring& timerName, UINT milliseconds);

  // Loads a picture (BMP or PNG, perhaps drawn at several scales) into an image control; false
  // when no file can be read. Before the form is first shown the files are only noted, read
  // when it is, and false means there are none.
  bool LoadPicture(const std::wstring& imageName, std::vector<PictureFile> files);
  std::wstring PictureFileShown(const std::wstring& imageName) const;
  bool HasPicture(const std::wstring& imageName) const;
  // Image controls without a picture are painted white instead of the face colour.
  void SetImageBackgroundWhite(const std::wstring& imageName, bool white);
  void SetImageAutoSize(const std::wstring& imageName, bool autoSize);

  std::function<void()> OnShow;
  // Called once, before the form is first shown, after its rich edits have been created: what
  // a page needs only once it is seen (a licence text) is loaded here.
  std::function<void()> OnFirstShow;
  // Returns whether the form may close. Absent: it may.
  std::function<bool()> OnCloseQuery;
  // Called for a message registered with RegisterWindowMessageW (or any other message id that a
  // page chooses to catch); every message without a handler takes the normal route.
  void OnMessage(UINT message, std::function<void(WPARAM, LPARAM)> handler);

 protected:
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(std::span<const ControlLayout> layout);
  HWND CreateControlWindow(TControl& control, HWND parent, int id);
  void FitFrameToDpi(const RECT* suggested);
  void SetControlFont(const TControl& control) const;
  // What waits for the form's first showing: its rich edits are created, its pictures read.
  void PrepareFirstShow();
  void CreateDeferredControls();
  TControl* FindByHandle(HWND hwnd) const;
  TControl* FindTimer(UINT_PTR id) const;
  // The first shown button with that option (kDefault, kCancel), enabled or not.
  TControl* ShownButton(unsigned option) const;
  void OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT DefaultButtonId() const;
  void MoveFocus(WPARAM wParam, LPARAM lParam);
  // Gives the focus back to the control that had it, else to the default button or the first
  // control in tab order.
  void RestoreFocus();
  LRESULT OnControlColor(HDC dc, HWND control);

  HWND handle_ = nullptr;
  const FormLayout layout_;
  UINT dpi_ = kDesignDpi;
  struct DeferredControl {
    TControl* control;
    int id;
  };
  std::vector<DeferredControl> deferred_;
  bool shownOnce_ = false;
  HWND lastFocus_ = nullptr;
  std::vector<std::unique_ptr<TControl>> components_;
  std::map<std::wstring, TControl*> byName_;
  std::map<UINT, std::function<void(WPARAM, LPARAM)>> messageHandlers_;
};

}  // namespace winfx
