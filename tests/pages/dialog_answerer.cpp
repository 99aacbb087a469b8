#include "tests/pages/dialog_answerer.h"

#include <vector>

namespace testing_support {
namespace {

struct Search {
  HWND owner;
  HWND found = nullptr;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM cookie) {
  auto* search = reinterpret_cast<Search*>(cookie);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  wchar_t className[32] = {};
  ::GetClassNameW(window, className, 32);
  if (process != ::GetCurrentProcessId() || std::wstring(className) != L"#32770" ||
      !::IsWindowVisible(window)) {
    return TRUE;
  }
  // Owned by the window, or by a dialog it owns (a message box over a hidden dialog).
  for (HWND owner = ::GetWindow(window, GW_OWNER); owner != nullptr;
       owner = ::GetWindow(owner, GW_OWNER)) {
    if (owner == search->owner) {
      search->found = window;
      return FALSE;
    }
  }
  return TRUE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(HWND owner, int commandId, std::chrono::milliseconds timeout,
                               std::function<void(HWND)> inspect)
    : inspect_(std::move(inspect)), thread_([=, this] { Run(owner, commandId, timeout); }) {}

DialogAnswerer::~DialogAnswerer() {
  if (thread_.joinable()) thread_.join();
}

bool DialogAnswerer::Answered() {
  if (thread_.joinable()) thread_.join();
  return answered_;
}

std::wstring DialogAnswerer::Title() {
  if (thread_.joinable()) thread_.join();
  return title_;
}

void DialogAnswerer::Run(HWND owner, int commandId, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  Search search{owner};
  while (search.found == nullptr && std::chrono::steady_clock::now() < deadline) {
    ::EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) ::Sleep(20);  // polling interval, bounded by the deadline
  }
  if (search.found == nullptr) return;
  wchar_t title[256] = {};
  ::GetWindowTextW(search.found, title, 256);
  title_ = title;
  if (inspect_) inspect_(search.found);
  // As a click on the button does: the dialog gets the command with the button's window.
  answered_ =
      ::PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(search.found, commandId))) != FALSE;
}

}  // namespace testing_support
