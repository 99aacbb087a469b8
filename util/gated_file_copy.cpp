#include "util/gated_file_copy.h"

#include <windows.h>

#include <utility>

#include "util/link_safe_files.h"

namespace {

DWORD CALLBACK PassGateOnProgress(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD,
                                  DWORD, HANDLE, HANDLE, void* gate) {
  (*static_cast<const PauseGate*>(gate))();
  return PROGRESS_CONTINUE;
}

// One copy. Overwriting removes the existing name first: a copy onto it would write into
// whatever the name shares its data with or points to.
bool CopyOnce(const std::wstring& source, const std::wstring& target, bool failIfExists,
              const PauseGate& passGate) {
  if (!failIfExists && !RemoveFileName(target)) return false;
  const DWORD flags = COPY_FILE_FAIL_IF_EXISTS;
  LPPROGRESS_ROUTINE routine = passGate ? &PassGateOnProgress : nullptr;
  void* data = passGate ? const_cast<PauseGate*>(&passGate) : nullptr;
  return ::CopyFileExW(source.c_str(), target.c_str(), routine, data, nullptr, flags) != FALSE;
}

thread_local const FailedWriteQuestion* failedWriteQuestion = nullptr;

}  // namespace

ScopedFailedWriteQuestion::ScopedFailedWriteQuestion(FailedWriteQuestion question)
    : question_(std::move(question)), outer_(failedWriteQuestion) {
  failedWriteQuestion = &question_;
}

ScopedFailedWriteQuestion::~ScopedFailedWriteQuestion() {
  failedWriteQuestion = outer_;
}

bool CopyFileThroughGate(const std::wstring& source, const std::wstring& target, bool failIfExists,
                         const PauseGate& passGate) {
  while (!CopyOnce(source, target, failIfExists, passGate)) {
    const DWORD error = ::GetLastError();
    // A source that is not there (a package changed under the run) is nothing to retry.
    // A target that is there where it must not be is an answer, not a failure to ask about.
    const bool ask = failedWriteQuestion != nullptr && error != ERROR_FILE_NOT_FOUND &&
                     error != ERROR_PATH_NOT_FOUND && !(failIfExists && error == ERROR_FILE_EXISTS);
    if (!ask || (*failedWriteQuestion)(target, error) != FailedWriteAnswer::kRetry) {
      ::SetLastError(error);
      return false;
    }
  }
  return true;
}
