// The application object of the window layer: owns the forms, knows the main form, runs the
// message loop and ends it when the main form closes or Terminate is called.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "util/scoped_handle.h"
#include "winfx/form.h"

namespace winfx {

class TApplication {
 public:
  // Creates the hidden application window, which owns the plain message boxes.
  void Initialize();
  HWND Handle() const { return handle_; }
  // The icon of every form created afterwards (title bar, taskbar, Alt+Tab); false when the
  // file holds no icon, and the forms keep the system's.
  bool LoadIconFile(const std::wstring& path);
  HICON BigIcon() const { return bigIcon_.Get(); }
  // A run without a user: forms are message-only windows that are never shown, and ShowMessage
  // only writes its text to the log.
  bool Quiet = false;
  // The run speaks a right-to-left language: every window is mirrored (set before the first
  // form is created).
  bool RightToLeft = false;
  void SetRightToLeft(bool rightToLeft);
  // MB_RTLREADING | MB_RIGHT when the run is right to left, else 0.
  UINT MessageBoxReading() const;
  HICON SmallIcon() const { return smallIcon_.Get(); }

  // Creates a form; the first one created becomes the main form. The application owns it.
  template <typename Form>
  void CreateForm(Form*& variable) {
    auto form = std::make_unique<Form>();
    variable = form.get();
    if (mainForm_ == nullptr) mainForm_ = form.get();
    forms_.push_back(std::move(form));
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and dispatches messages until the main form has closed or Terminate
  // was called. Returns at once when Terminate was called before.
  void Run();
  // Ends the message loop once it runs (or at once, when it already runs).
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Destroys every form, in reverse order of creation.
  void DestroyForms();

 private:
  HWND handle_ = nullptr;
  win::ScopedIcon bigIcon_;
  win::ScopedIcon smallIcon_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool running_ = false;
  std::vector<std::unique_ptr<TForm>> forms_;
};

extern TApplication Application;

// A plain message box with the application's title, as the form framework's ShowMessage.
void ShowMessage(const std::wstring& text);

}  // namespace winfx
