#include "app/run_lock.h"

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include "util/scoped_handle.h"
#include "util/setup_log.h"

namespace {

// The process id of the run holding the lock, in the environment its child processes inherit.
constexpr wchar_t kHolderVariable[] = L"SETUP_RUN_LOCK_HOLDER";

win::ScopedHandle heldLock;
bool handedOver = false;

DWORD ParentProcessId() {
  win::ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  const DWORD self = ::GetCurrentProcessId();
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL found = ::Process32FirstW(snapshot.Get(), &entry); found;
       found = ::Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID == self) return entry.th32ParentProcessID;
  }
  return 0;
}

// Whether the holder named in the environment is the process that started this one.
bool StartedByTheHolder() {
  wchar_t value[16] = {};
  const DWORD length = ::GetEnvironmentVariableW(kHolderVariable, value, 16);
  if (length == 0 || length >= 16) return false;
  const DWORD parent = ParentProcessId();
  return parent != 0 && std::to_wstring(parent) == value;
}

}  // namespace

std::wstring RunLockName(const std::wstring& productCode) {
  std::wstring name = L"Global\\Setup run " + productCode;
  // A backslash after the namespace would make the name invalid.
  for (size_t i = sizeof("Global\\") - 1; i < name.size(); ++i) {
    if (name[i] == L'\\') name[i] = L'_';
  }
  return name;
}

RunLockResult TakeRunLock(const std::wstring& productCode) {
  const std::wstring name = RunLockName(productCode);
  win::ScopedHandle mutex(::CreateMutexW(nullptr, FALSE, name.c_str()));
  const DWORD error = ::GetLastError();
  // A name Windows refuses (too long) leaves the start checks to refuse the package.
  if (!mutex && error != ERROR_ACCESS_DENIED) {
    LogLine(L"no run lock (error " + std::to_wstring(error) + L"): " + name);
    return RunLockResult::kUnavailable;
  }
  // A mutex this run may not open is another run's.
  const DWORD wait = mutex ? ::WaitForSingleObject(mutex.Get(), 0) : WAIT_TIMEOUT;
  if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
    if (wait == WAIT_ABANDONED) LogLine(L"the run before this one ended without finishing");
    heldLock = std::move(mutex);
    ::SetEnvironmentVariableW(kHolderVariable, std::to_wstring(::GetCurrentProcessId()).c_str());
    LogLine(L"run lock taken: " + name);
    return RunLockResult::kHeld;
  }
  if (StartedByTheHolder()) {
    LogLine(L"run lock held by the run that started this one, which waits for it: " + name);
    handedOver = true;
    return RunLockResult::kHandedOver;
  }
  LogLine(L"run lock held by another run: " + name);
  return RunLockResult::kRefused;
}

bool RunsOnBehalfOfItsStarter() {
  return handedOver;
}

void ReleaseRunLock() {
  if (!heldLock) return;
  ::ReleaseMutex(heldLock.Get());
  heldLock.Reset();
  ::SetEnvironmentVariableW(kHolderVariable, nullptr);
}
