#include "record/restart_deletions.h"

#include <vector>

#include "core/folders/pending_deletions.h"
#include "util/reg_key.h"
#include "util/removal_guards.h"
#include "util/setup_log.h"

namespace {

constexpr wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kPendingOperations[] = L"PendingFileRenameOperations";

}  // namespace

bool KeepFolderPastRestart(const std::wstring& folder) {
  const std::wstring full = NormalisedAbsolutePath(folder);
  if (full.empty()) return true;
  win::RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, kSessionManager, KEY_READ | KEY_WRITE)) return true;
  const std::optional<std::wstring> data = key.ReadMultiStringData(kPendingOperations);
  if (!data) return true;
  const std::vector<std::wstring> operations = folders::SplitMultiString(*data);
  const std::vector<std::wstring> kept = folders::WithoutDeletionsInside(operations, full);
  if (kept.size() == operations.size()) return true;
  LogLine(L"the restart no longer deletes what an earlier uninstaller left in " + full);
  const bool written =
      kept.empty() ? key.DeleteValue(kPendingOperations)
                   : key.WriteMultiStringData(kPendingOperations, folders::JoinMultiString(kept));
  if (!written) LogLine(L"failed: the restart will still delete files of " + full);
  return written;
}
