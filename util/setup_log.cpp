#include "util/setup_log.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "core/strings/utf_string_conversions.h"
#include "util/files_left_out.h"
#include "util/folder_walk.h"
#include "util/held_folder.h"
#include "util/link_safe_files.h"
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
  win::ScopedHandle opened(::CreateFileW(
      path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  // The temporary folder lets everybody create files: a link or a hard link planted under the
  // log's name would carry the lines into another file. A log of its own goes beside it then.
  const std::optional<HandleFacts> facts = opened.IsValid() ? FactsOf(opened.Get()) : std::nullopt;
  if (!facts || facts->IsLink() || facts->links > 1 || IsLinkPath(path)) {
    opened = CreateFileAfresh(path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".log",
                              FILE_SHARE_READ | FILE_SHARE_WRITE);
  }
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

void LogDebugLine(std::wstring_view text) {
  ::OutputDebugStringW(std::wstring(text).c_str());
  LogLine(text);
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
