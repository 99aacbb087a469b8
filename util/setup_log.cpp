#include "util/setup_log.h"

#include <windows.h>

#include <cstdio>
#include <utility>

#include "core/strings/utf_string_conversions.h"
#include "util/files_left_out.h"
#include "util/scoped_handle.h"

namespace {

SRWLOCK lock = SRWLOCK_INIT;
win::ScopedHandle file;

std::string TimeStamp() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  return text;
}

}  // namespace

bool OpenSetupLog(const std::wstring& path) {
  // Appending writes whole lines at the end even when another run has the file open too.
  win::ScopedHandle opened(::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!opened.IsValid()) return false;
  ::AcquireSRWLockExclusive(&lock);
  file = std::move(opened);
  ::ReleaseSRWLockExclusive(&lock);
  return true;
}

void CloseSetupLog() {
  ::AcquireSRWLockExclusive(&lock);
  file.Reset(nullptr);
  ::ReleaseSRWLockExclusive(&lock);
}

bool SetupLogOpen() {
  ::AcquireSRWLockShared(&lock);
  const bool open = file.IsValid();
  ::ReleaseSRWLockShared(&lock);
  return open;
}

void LogLine(std::wstring_view text) {
  ::AcquireSRWLockExclusive(&lock);
  if (file.IsValid()) {
    const std::string line = TimeStamp() + strings::WideToUtf8(text) + "\r\n";
    DWORD written = 0;
    ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  ::ReleaseSRWLockExclusive(&lock);
}

void LogFileOperation(std::wstring_view done, const std::wstring& path, bool succeeded) {
  const DWORD error = ::GetLastError();
  if (!succeeded && done == L"copied") NoteFileLeftOut(path);
  // Folder walks report every file: without a log nothing is put together.
  if (!SetupLogOpen()) return;
  if (succeeded) {
    LogLine(std::wstring(done) + L" " + path);
    return;
  }
  LogLine(std::wstring(done) + L" failed (error " + std::to_wstring(error) + L"): " + path);
}
