// Closing and ending running programs by their file name, with copies of a small window
// program started in the Wine prefix.
#include "util/process_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/util/test_files.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kStartTimeout = 30s;
constexpr auto kExitTimeout = 30s;

struct RunningCopy {
  std::unique_ptr<driver::Process> process;
  HWND window = nullptr;
};

// Starts the test window program under the file name `relativePath` below `folder`, in `mode`
// (see test_window_main.cpp), and waits for its window unless it makes none.
RunningCopy Start(const std::wstring& folder, const std::wstring& relativePath,
                  const std::wstring& mode) {
  const std::wstring path = folder + relativePath;
  test_files::MakeFolders(path.substr(0, path.rfind(L'\\')));
  ::CopyFileW((test_files::ProgramFolder() + L"util_test_window.exe").c_str(), path.c_str(), TRUE);
  RunningCopy copy;
  copy.process = std::make_unique<driver::Process>(L"\"" + path + L"\" " + mode);
  if (mode != L"nowindow") {
    const auto window = driver::WaitForWindow(
        copy.process->Id(),
        [](const driver::WindowInfo& info) { return info.title == L"Util test window"; },
        kStartTimeout);
    if (window) copy.window = window->handle;
  }
  return copy;
}

// Collects the debugger output lines of this process, as a debug-output viewer does.
class DebugOutputMonitor {
 public:
  DebugOutputMonitor() {
    bufferReady_ = ::CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY");
    dataReady_ = ::CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY");
    mapping_ = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096,
                                    L"DBWIN_BUFFER");
    view_ = static_cast<const char*>(::MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 4096));
    stop_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    reader_ = std::thread([this] { Read(); });
  }
  ~DebugOutputMonitor() {
    ::SetEvent(stop_);
    reader_.join();
    ::UnmapViewOfFile(view_);
    for (HANDLE handle : {bufferReady_, dataReady_, mapping_, stop_}) ::CloseHandle(handle);
  }

  // The lines seen once there are `count`, or all seen when `timeout` passes first.
  std::vector<std::string> WaitForLines(size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, timeout, [&] { return lines_.size() >= count; });
    return lines_;
  }

 private:
  void Read() {
    const HANDLE waits[] = {dataReady_, stop_};
    for (;;) {
      ::SetEvent(bufferReady_);
      if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return;
      DWORD processId = 0;
      std::memcpy(&processId, view_, sizeof(processId));
      if (processId != ::GetCurrentProcessId()) continue;
      std::lock_guard lock(mutex_);
      lines_.emplace_back(view_ + sizeof(DWORD));
      arrived_.notify_all();
    }
  }

  HANDLE bufferReady_;
  HANDLE dataReady_;
  HANDLE mapping_;
  HANDLE stop_;
  const char* view_;
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<std::string> lines_;
};

TEST(CloseProcessesByName, AsksTheWindowsOfEveryCopyWithTheExactName) {
  const std::wstring folder = test_files::FreshFolder(L"processes-close");
  const struct {
    const wchar_t* path;
    const wchar_t* mode;
    bool closes;
  } cases[] = {
      {L"a\\closable.exe", L"", true},
      {L"a\\closable.exe", L"", true},
      {L"b\\Closable.exe", L"", false},  // letter case differs
      {L"c\\closable.exe.bak", L"", false},
      {L"d\\closable.exe", L"ignore", false},  // its window does not close
      {L"e\\closable.exe", L"nowindow", false},
  };
  std::vector<RunningCopy> copies;
  for (const auto& c : cases) {
    copies.push_back(Start(folder, c.path, c.mode));
    ASSERT_TRUE(copies.back().window != nullptr || std::wstring(c.mode) == L"nowindow") << c.path;
  }

  CloseProcessesByName(L"closable.exe", false);
  CloseProcessesByName(L"", false);

  for (size_t i = 0; i < std::size(cases); ++i) {
    const RunningCopy& copy = copies[i];
    if (cases[i].closes) {
      EXPECT_EQ(copy.process->WaitForExit(kExitTimeout), 0u) << cases[i].path;
    } else {
      // WM_CLOSE is sent, not posted: a window it reached would already be gone.
      if (copy.window != nullptr) {
        EXPECT_TRUE(::IsWindow(copy.window)) << cases[i].path;
      }
      EXPECT_FALSE(copy.process->WaitForExit(0ms).has_value()) << cases[i].path;
    }
  }
}

TEST(CloseProcessesByName, AWindowThatNeverAnswersHoldsTheCallOnlyForTheTimeOut) {
  const std::wstring folder = test_files::FreshFolder(L"processes-stuck");
  RunningCopy stuck = Start(folder, L"a\\stuck.exe", L"block");
  RunningCopy closable = Start(folder, L"b\\stuck.exe", L"");
  ASSERT_NE(stuck.window, nullptr);
  ASSERT_NE(closable.window, nullptr);

  auto call = std::async(std::launch::async, [] { CloseProcessesByName(L"stuck.exe", false); });
  if (call.wait_for(kWindowCloseTimeout + 3s) != std::future_status::ready) {
    ADD_FAILURE() << "the call waits longer than one time-out for the stuck copy's two windows";
    stuck.process->Kill();  // ends the wait, so that the test fails instead of hanging
  }
  call.get();

  EXPECT_EQ(closable.process->WaitForExit(kExitTimeout), 0u) << "the walk goes on after it";
  EXPECT_FALSE(stuck.process->WaitForExit(0ms).has_value());
}

TEST(CloseProcessesByName, TerminateEndsEveryCopyWithExitCodeZero) {
  const std::wstring folder = test_files::FreshFolder(L"processes-terminate");
  // The copies ignore WM_CLOSE, so only termination ends them.
  RunningCopy first = Start(folder, L"a\\hard.exe", L"ignore");
  RunningCopy second = Start(folder, L"a\\hard.exe", L"ignore");
  RunningCopy otherCase = Start(folder, L"b\\Hard.exe", L"ignore");
  RunningCopy windowless = Start(folder, L"c\\hard.exe", L"nowindow");
  DebugOutputMonitor debugOutput;

  CloseProcessesByName(L"hard.exe", true);

  EXPECT_EQ(first.process->WaitForExit(kExitTimeout), 0u);
  EXPECT_EQ(second.process->WaitForExit(kExitTimeout), 0u);
  EXPECT_EQ(windowless.process->WaitForExit(kExitTimeout), 0u);
  EXPECT_FALSE(otherCase.process->WaitForExit(0ms).has_value());
  EXPECT_EQ(debugOutput.WaitForLines(3, 10s),
            (std::vector<std::string>(3, "Delete Process Success!")));
}

}  // namespace
