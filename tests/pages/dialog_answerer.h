// Answers the first dialog box that a window opens modally, from a thread of its own, while the
// test's thread is inside the modal loop (the print dialog, a message box).
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace testing_support {

class DialogAnswerer {
 public:
  // Waits up to `timeout` for a visible dialog box owned by `owner`, calls `inspect` with it
  // (on the answering thread, before the answer), then presses the button `commandId` of it.
  DialogAnswerer(HWND owner, int commandId, std::chrono::milliseconds timeout,
                 std::function<void(HWND)> inspect = nullptr);
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;
  ~DialogAnswerer();

  // Waits for the answering thread to end; then whether a dialog was found and answered.
  bool Answered();
  std::wstring Title();

 private:
  void Run(HWND owner, int commandId, std::chrono::milliseconds timeout);

  std::function<void(HWND)> inspect_;
  std::wstring title_;
  bool answered_ = false;
  std::thread thread_;
};

}  // namespace testing_support
