#include "tools/driver/driver.h"

#include <shlobj.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "util/com_init.h"
#include "util/reg_key.h"

namespace driver {
namespace {

constexpr auto kPollInterval = 50ms;

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(length));
}

// The caption the window manager keeps, read without a message to the window's program.
std::wstring StoredCaption(HWND window) {
  wchar_t caption[512] = {};
  return std::wstring(caption, static_cast<size_t>(::InternalGetWindowText(window, caption, 512)));
}

// Top-level windows are described from their stored captions, so that listing them never waits
// for a program that is busy; controls need WM_GETTEXT (see WindowText).
WindowInfo Describe(HWND window, bool topLevel) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  return {window, ClassNameOf(window), topLevel ? StoredCaption(window) : WindowText(window),
          ::IsWindowVisible(window) != FALSE, processId};
}

struct EnumState {
  DWORD processId;
  std::vector<WindowInfo>* windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (state->processId == kAnyProcess || owner == state->processId) {
    state->windows->push_back(Describe(window, true));
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<WindowInfo>*>(param)->push_back(Describe(window, false));
  return TRUE;
}

template <typename Result>
std::optional<Result> Poll(const std::function<std::optional<Result>()>& attempt,
                           std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto result = attempt()) return result;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace

Process::Process(const std::wstring& commandLine, const std::wstring& folder) {
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    throw std::runtime_error("cannot start the program under test");
  }
  ::CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
}

Process::~Process() {
  if (!WaitForExit(0ms)) Kill();
  ::CloseHandle(process_);
}

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds timeout) const {
  if (::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return code;
}

void Process::Kill() const {
  ::TerminateProcess(process_, 1);
  ::WaitForSingleObject(process_, 5000);
}

std::vector<WindowInfo> TopLevelWindows(DWORD processId) {
  std::vector<WindowInfo> windows;
  EnumState state{processId, &windows};
  ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return windows;
}

std::vector<WindowInfo> ChildWindows(HWND parent) {
  std::vector<WindowInfo> windows;
  ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::optional<WindowInfo> WaitForWindow(DWORD processId,
                                        const std::function<bool(const WindowInfo&)>& found,
                                        std::chrono::milliseconds timeout) {
  return Poll<WindowInfo>(
      [&]() -> std::optional<WindowInfo> {
        for (const WindowInfo& window : TopLevelWindows(processId)) {
          if (found(window)) return window;
        }
        return std::nullopt;
      },
      timeout);
}

std::optional<WindowInfo> WaitForVisibleWindowOfClass(DWORD processId,
                                                      const std::wstring& className,
                                                      std::chrono::milliseconds timeout) {
  return WaitForWindow(
      processId,
      [&](const WindowInfo& window) { return window.visible && window.className == className; },
      timeout);
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT works across processes, unlike GetWindowTextW for controls. A program whose
  // user-interface thread waits for a child process answers no message meanwhile, so the read
  // gives up after a while and falls back to the caption the window manager keeps.
  constexpr UINT kFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
  constexpr UINT kTimeoutMs = 2000;
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, kFlags, kTimeoutMs, &length)) {
    return StoredCaption(window);
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             kFlags, kTimeoutMs, &copied)) {
    return {};
  }
  text.resize(static_cast<size_t>(copied));
  return text;
}

HWND FindChildByText(HWND parent, const std::wstring& text) {
  for (const WindowInfo& child : ChildWindows(parent)) {
    if (child.title == text) return child.handle;
  }
  return nullptr;
}

void Click(HWND button) {
  // BM_CLICK on a push button goes through a simulated mouse press, which Wine loses now and then
  // when the page has only just been shown; a push button's click is its notification to the
  // page, so send that, as long as a user could press the button.
  const LONG_PTR type = ::GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
    if (!::IsWindowEnabled(button) || !::IsWindowVisible(button)) return;
    ::PostMessageW(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    return;
  }
  ::PostMessageW(button, BM_CLICK, 0, 0);
}

void CloseWindow(HWND window) {
  ::PostMessageW(window, WM_CLOSE, 0, 0);
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId,
                                                std::chrono::milliseconds timeout) {
  const auto box = WaitForWindow(
      processId,
      [](const WindowInfo& window) { return window.visible && window.className == L"#32770"; },
      timeout);
  if (!box) return std::nullopt;
  MessageBoxInfo info{box->handle, box->title, {}};
  // The message is the static control that is not the icon.
  for (const WindowInfo& child : ChildWindows(box->handle)) {
    if (child.className == L"Static" && !child.title.empty()) {
      info.text = child.title;
      break;
    }
  }
  return info;
}

namespace {

// Presses the box's button and waits until the box has gone, so that the next search for a box
// cannot find this one again while its program is still closing it.
void PressAndWaitUntilClosed(HWND box, HWND button) {
  Click(button);
  Poll<bool>(
      [&]() -> std::optional<bool> {
        if (!::IsWindow(box) || !::IsWindowVisible(box)) return true;
        return std::nullopt;
      },
      10s);
}

}  // namespace

bool AnswerMessageBox(const MessageBoxInfo& box, const std::wstring& buttonCaption) {
  HWND button = FindChildByText(box.handle, buttonCaption);
  if (button == nullptr) return false;
  PressAndWaitUntilClosed(box.handle, button);
  return true;
}

bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId) {
  HWND button = ::GetDlgItem(box.handle, buttonId);
  if (button == nullptr) return false;
  PressAndWaitUntilClosed(box.handle, button);
  return true;
}

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& keyPath,
                                               const std::wstring& valueName) {
  win::RegKey key;
  if (!key.Open(root, keyPath, KEY_READ | KEY_WOW64_32KEY)) return std::nullopt;
  return key.ReadString(valueName);
}

std::optional<ShortcutInfo> ReadShortcut(const std::wstring& linkPath) {
  win::ScopedComInitializer com;
  win::ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.ReceiveVoid()))) {
    return std::nullopt;
  }
  win::ComPtr<IPersistFile> file;
  if (FAILED(link.As(IID_IPersistFile, &file)) || FAILED(file->Load(linkPath.c_str(), STGM_READ))) {
    return std::nullopt;
  }
  ShortcutInfo info;
  wchar_t buffer[MAX_PATH * 2] = {};
  link->GetPath(buffer, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
  info.target = buffer;
  link->GetArguments(buffer, MAX_PATH * 2);
  info.arguments = buffer;
  link->GetWorkingDirectory(buffer, MAX_PATH * 2);
  info.workingFolder = buffer;
  link->GetDescription(buffer, MAX_PATH * 2);
  info.description = buffer;
  link->GetIconLocation(buffer, MAX_PATH * 2, &info.iconIndex);
  info.iconPath = buffer;
  return info;
}

}  // namespace driver
