// Receivers of what the folder walks report: the path being worked on and a bar running from
// 0 to 100. The walks may run on a worker thread; a sink that feeds a page's controls passes
// the updates on to the user-interface thread itself.
#pragma once

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
