#include "util/process_windows.h"

// tlhelp32.h needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include "util/scoped_handle.h"
#include "util/setup_log.h"

namespace {

// The enumeration's parameter is the identifier of the process whose windows are asked.
BOOL CALLBACK CloseWindowOfProcess(HWND window, LPARAM processId) {
  if (window == nullptr) return FALSE;
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != static_cast<DWORD>(processId)) return TRUE;
  // A plain send would wait as long as the window takes, for ever if it never returns from
  // WM_CLOSE. Once a send has timed out, the window's thread has not taken a message for the
  // five seconds after which the system calls it hung, so sends to its other windows give up
  // at once.
  ::SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG,
                        static_cast<UINT>(kWindowCloseTimeout.count()), nullptr);
  return TRUE;
}

void EndProcess(DWORD processId) {
  win::ScopedHandle process(
      ::OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId));
  const bool ended = process.IsValid() && ::TerminateProcess(process.Get(), 0);
  LogDebugLine(ended ? L"Delete Process Success!" : L"Delete Process Fail!");
}

}  // namespace

void CloseProcessesByName(const std::wstring& exeName, bool terminate) {
  if (exeName.empty()) return;
  win::ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.IsValid()) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL found = ::Process32FirstW(snapshot.Get(), &entry); found;
       found = ::Process32NextW(snapshot.Get(), &entry)) {
    if (exeName != entry.szExeFile) continue;
    if (terminate) {
      EndProcess(entry.th32ProcessID);
    } else {
      ::EnumWindows(CloseWindowOfProcess, static_cast<LPARAM>(entry.th32ProcessID));
    }
  }
}
