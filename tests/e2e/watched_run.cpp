#include "tests/e2e/watched_run.h"

#include "tools/driver/driver.h"

namespace e2e {

WatchedRun RunWatched(const std::wstring& commandLine, const std::wstring& folder,
                      std::chrono::milliseconds timeout) {
  using namespace std::chrono_literals;
  driver::Process process(commandLine, folder);
  WatchedRun run;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!(run.exitCode = process.WaitForExit(20ms))) {
    for (const auto& window : driver::TopLevelWindows(process.Id())) {
      run.windowsSeen.push_back(window.className);
    }
    if (std::chrono::steady_clock::now() > deadline) {
      process.Kill();
      break;
    }
  }
  return run;
}

}  // namespace e2e
