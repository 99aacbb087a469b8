// A program run to its end while its top-level windows are listed all the time: what a quiet
// run must never show.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct WatchedRun {
  std::optional<DWORD> exitCode;          // nothing when it did not end within the time-out
  std::vector<std::wstring> windowsSeen;  // class names of the process's top-level windows
};

WatchedRun RunWatched(const std::wstring& commandLine, const std::wstring& folder,
                      std::chrono::milliseconds timeout = std::chrono::seconds(300));

}  // namespace e2e
