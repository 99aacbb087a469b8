// Receivers of what the folder walks report: the path being worked on and a bar running from
// 0 to 100. The walks may run on a worker thread; a sink that feeds a page's controls passes
// the updates on to the user-interface thread itself. The gate is what such work passes where a
// pause may hold it.
#pragma once

#include <functional>
#include <string>

class StatusSink {
 public:
  virtual void ShowStatus(const std::wstring& text) = 0;

 protected:
  virtual ~StatusSink() = default;
};

class ProgressSink {
 public:
  virtual int Position() const = 0;
  virtual void SetPosition(int position) = 0;

 protected:
  virtual ~ProgressSink() = default;
};

// Passed by a worker's operations wherever it may be held; a paused worker holds there (see
// TWorkerThread::PassGate). Empty: there is nothing to pass.
using PauseGate = std::function<void()>;
