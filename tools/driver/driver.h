// Drives a running Win32 program from outside, as a user would: finds its windows, reads and
// presses their controls, answers its message boxes, and reads back what it wrote (registry
// values, shortcuts). Used by the end-to-end tests and by the command-line driver.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace driver {

using namespace std::chrono_literals;

struct WindowInfo {
  HWND handle = nullptr;
  std::wstring className;
  std::wstring title;
  bool visible = false;
  DWORD processId = 0;
};

// For the window searches below: windows of every process, for programs the tested one starts.
constexpr DWORD kAnyProcess = 0;

class Process {
 public:
  // Starts `commandLine` in `folder` (empty: the caller's folder). Throws on failure.
  Process(const std::wstring& commandLine, const std::wstring& folder = L"");
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  DWORD Id() const { return id_; }
  // The exit code once the process has ended within `timeout`, else nothing.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) const;
  void Kill() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Top-level windows of the process (or of all, kAnyProcess), in the order the window manager lists
// them (top first).
std::vector<WindowInfo> TopLevelWindows(DWORD processId);
// Child windows (controls) of a window, at any depth, in creation order per parent.
std::vector<WindowInfo> ChildWindows(HWND parent);

// Polls until `found` yields a window or `timeout` passes.
std::optional<WindowInfo> WaitForWindow(DWORD processId,
                                        const std::function<bool(const WindowInfo&)>& found,
                                        std::chrono::milliseconds timeout);
std::optional<WindowInfo> WaitForVisibleWindowOfClass(DWORD processId,
                                                      const std::wstring& className,
                                                      std::chrono::milliseconds timeout);

std::wstring WindowText(HWND window);
// The first child whose window text is exactly `text` (for buttons: their caption).
HWND FindChildByText(HWND parent, const std::wstring& text);
// Presses a button as a click would (posted, so a modal loop it opens does not block us).
void Click(HWND button);
void CloseWindow(HWND window);

struct MessageBoxInfo {
  HWND handle = nullptr;
  std::wstring caption;
  std::wstring text;
};
// Waits for a message box of the process and reads its caption and text.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout);
// Presses the box's button with that caption ("OK", "&Yes", ...) and waits (10 s at most) until
// the box has gone; false when it has no such button.
bool AnswerMessageBox(const MessageBoxInfo& box, const std::wstring& buttonCaption);
// The same by the button's command (IDOK, IDYES, ...), whatever the language of its caption.
bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId);

// A string value, read as UTF-16 through the 32-bit registry view.
std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& keyPath,
                                               const std::wstring& valueName);

struct ShortcutInfo {
  std::wstring target;
  std::wstring arguments;
  std::wstring workingFolder;
  std::wstring description;
  std::wstring iconPath;
  int iconIndex = 0;
};
std::optional<ShortcutInfo> ReadShortcut(const std::wstring& linkPath);

}  // namespace driver
