#include "util/run_and_wait.h"

#include <vector>

#include "util/scoped_handle.h"
#include "util/setup_log.h"

bool RunAndWait(const std::wstring& commandLine, DWORD creationFlags, const std::wstring& program) {
  // CreateProcessW may write into the command line, so it gets a copy of its own.
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program.empty() ? nullptr : program.c_str(), buffer.data(), nullptr,
                        nullptr, FALSE, creationFlags, nullptr, nullptr, &startup, &process)) {
    LogLine(L"command not started (error " + std::to_wstring(::GetLastError()) + L"): " +
            commandLine);
    return false;
  }
  win::ScopedHandle processHandle(process.hProcess);
  win::ScopedHandle threadHandle(process.hThread);
  LogLine(L"command started: " + commandLine);
  ::WaitForSingleObject(processHandle.Get(), INFINITE);
  DWORD exitCode = 0;
  ::GetExitCodeProcess(processHandle.Get(), &exitCode);
  LogLine(L"command ended with exit code " + std::to_wstring(exitCode) + L": " + commandLine);
  return true;
}
