// driver.exe: the end-to-end driver as a console program, for scripts.
//   driver windows PID                 top-level windows: handle, class, visible, title
//   driver controls PID CLASS          controls of the visible window of that class
//   driver click PID CLASS CAPTION     presses the button with that caption
//   driver msgbox PID [BUTTON]         prints the message box's caption and text, presses BUTTON
//   driver reg HKLM|HKCU KEY VALUE     prints a string value (32-bit view)
//   driver lnk PATH                    prints a shortcut's target, arguments, folder, icon
// Texts are printed as UTF-8. Waits are bounded (10 s); exit code 1 when nothing was found.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/strings/utf_string_conversions.h"
#include "tools/driver/driver.h"

namespace {

constexpr auto kWait = std::chrono::milliseconds(10000);

void Print(const std::wstring& line) {
  const std::string bytes = strings::WideToUtf8(line + L"\n");
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

std::wstring HandleText(HWND window) {
  return std::to_wstring(reinterpret_cast<uintptr_t>(window));
}

int ListWindows(DWORD pid) {
  for (const auto& window : driver::TopLevelWindows(pid)) {
    Print(HandleText(window.handle) + L"\t" + window.className + L"\t" +
          (window.visible ? L"visible" : L"hidden") + L"\t" + window.title);
  }
  return 0;
}

int ListControls(DWORD pid, const std::wstring& className) {
  const auto window = driver::WaitForVisibleWindowOfClass(pid, className, kWait);
  if (!window) return 1;
  for (const auto& control : driver::ChildWindows(window->handle)) {
    Print(control.className + L"\t" + (control.visible ? L"visible" : L"hidden") + L"\t" +
          control.title);
  }
  return 0;
}

int ClickButton(DWORD pid, const std::wstring& className, const std::wstring& caption) {
  const auto window = driver::WaitForVisibleWindowOfClass(pid, className, kWait);
  if (!window) return 1;
  HWND button = driver::FindChildByText(window->handle, caption);
  if (button == nullptr) return 1;
  driver::Click(button);
  return 0;
}

int AnswerBox(DWORD pid, const std::wstring& button) {
  const auto box = driver::WaitForMessageBox(pid, kWait);
  if (!box) return 1;
  Print(box->caption);
  Print(box->text);
  return button.empty() || driver::AnswerMessageBox(*box, button) ? 0 : 1;
}

int ReadValue(const std::wstring& root, const std::wstring& key, const std::wstring& value) {
  const auto text = driver::ReadRegistryString(
      root == L"HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, key, value);
  if (!text) return 1;
  Print(*text);
  return 0;
}

int ReadLink(const std::wstring& path) {
  const auto link = driver::ReadShortcut(path);
  if (!link) return 1;
  Print(L"target\t" + link->target);
  Print(L"arguments\t" + link->arguments);
  Print(L"folder\t" + link->workingFolder);
  Print(L"description\t" + link->description);
  Print(L"icon\t" + link->iconPath + L"," + std::to_wstring(link->iconIndex));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  const auto count = args.size();
  const std::wstring command = count > 0 ? args[0] : L"";
  const DWORD pid = count > 1 ? static_cast<DWORD>(std::wcstoul(args[1].c_str(), nullptr, 0)) : 0;
  if (command == L"windows" && count == 2) return ListWindows(pid);
  if (command == L"controls" && count == 3) return ListControls(pid, args[2]);
  if (command == L"click" && count == 4) return ClickButton(pid, args[2], args[3]);
  if (command == L"msgbox" && (count == 2 || count == 3)) {
    return AnswerBox(pid, count == 3 ? args[2] : L"");
  }
  if (command == L"reg" && count == 4) return ReadValue(args[1], args[2], args[3]);
  if (command == L"lnk" && count == 2) return ReadLink(args[1]);
  Print(L"usage: driver windows|controls|click|msgbox|reg|lnk ... (see driver_main.cpp)");
  return 2;
}
