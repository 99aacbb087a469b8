#include "util/gated_file_copy.h"

#include <windows.h>

#include "util/link_safe_files.h"

namespace {

DWORD CALLBACK PassGateOnProgress(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD,
                                  DWORD, HANDLE, HANDLE, void* gate) {
  (*static_cast<const PauseGate*>(gate))();
  return PROGRESS_CONTINUE;
}

}  // namespace

bool CopyFileThroughGate(const std::wstring& source, const std::wstring& target, bool failIfExists,
                         const PauseGate& passGate) {
  // A copy onto an existing name would write into whatever the name shares its data with or
  // points to: the name goes first, and the copy makes a file of its own.
  if (!failIfExists && !RemoveFileName(target)) return false;
  const DWORD flags = COPY_FILE_FAIL_IF_EXISTS;
  LPPROGRESS_ROUTINE routine = passGate ? &PassGateOnProgress : nullptr;
  void* data = passGate ? const_cast<PauseGate*>(&passGate) : nullptr;
  return ::CopyFileExW(source.c_str(), target.c_str(), routine, data, nullptr, flags) != FALSE;
}
