// Copying one file so that a paused worker holds inside it, not only between files.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "util/progress_sink.h"

// What a worker decides about a copy that failed: try it again, or leave the file out.
enum class FailedWriteAnswer { kSkip, kRetry };
// Asked on the copying thread with the target and the copy's error; may wait for the user.
using FailedWriteQuestion = std::function<FailedWriteAnswer(const std::wstring&, DWORD)>;

// While it lives, a failed CopyFileThroughGate on the thread that made it asks `question` and
// copies again while the answer is kRetry. Without one (quiet runs) a failed copy is left out.
class ScopedFailedWriteQuestion {
 public:
  explicit ScopedFailedWriteQuestion(FailedWriteQuestion question);
  ScopedFailedWriteQuestion(const ScopedFailedWriteQuestion&) = delete;
  ScopedFailedWriteQuestion& operator=(const ScopedFailedWriteQuestion&) = delete;
  ~ScopedFailedWriteQuestion();

 private:
  FailedWriteQuestion question_;
  const FailedWriteQuestion* outer_;
};

// Copies `source` to `target` as CopyFileW does, through CopyFileExW: its progress routine passes
// `passGate` each time the system reports a part of the file written, so a pause holds a large
// copy within a fraction of a second. Overwriting removes the existing name first (a file, hard
// link or link, never what it shares or points to), so the copy is always a file of its own. A
// failed copy asks the thread's ScopedFailedWriteQuestion, if any. Returns whether the copy
// succeeded; on failure the last error is the copy's.
bool CopyFileThroughGate(const std::wstring& source, const std::wstring& target, bool failIfExists,
                         const PauseGate& passGate);
