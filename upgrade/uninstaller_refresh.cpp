#include "upgrade/uninstaller_refresh.h"

#include <optional>

#include "core/strings/string_util.h"
#include "record/restart_deletions.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "util/reg_key.h"
#include "util/release_list_removal.h"
#include "util/removal_guards.h"
#include "util/setup_log.h"

namespace {

// Whether one of the two folders (without trailing "\") is the other or lies inside it.
bool Overlap(const std::wstring& a, const std::wstring& b) {
  const std::wstring& shorter = a.size() <= b.size() ? a : b;
  const std::wstring& longer = a.size() <= b.size() ? b : a;
  if (!strings::EqualsIgnoreCase(shorter, std::wstring_view(longer).substr(0, shorter.size()))) {
    return false;
  }
  return shorter.size() == longer.size() || longer[shorter.size()] == L'\\';
}

}  // namespace

bool RefreshUninstallerCopy(const std::wstring& uninstallerPath, const std::wstring& setupFolder,
                            const std::wstring& entryKeyPath) {
  // A record that names no uninstaller copy has none to replace.
  if (uninstallerPath.empty()) return true;
  const size_t separator = uninstallerPath.rfind(L'\\');
  const std::wstring target = separator == std::wstring::npos
                                  ? std::wstring()
                                  : NormalisedAbsolutePath(uninstallerPath.substr(0, separator));
  const std::wstring source = NormalisedAbsolutePath(setupFolder);
  if (target.empty() || source.empty() || !IsRemovableInstallDir(target)) {
    LogLine(L"failed: the uninstaller copy is not replaced, its folder is refused: " +
            uninstallerPath);
    return false;
  }
  // Run from the uninstaller copy itself: there is nothing to replace.
  if (Overlap(target, source)) return true;
  // While the copy is emptied and filled the entry has no command, so that an upgrade ended half
  // way leaves no command that starts a partial copy: the package run again removes the
  // installation from its record instead.
  win::RegKey entry;
  const bool entryOpened =
      !entryKeyPath.empty() && entry.Open(HKEY_LOCAL_MACHINE, entryKeyPath, KEY_READ | KEY_WRITE);
  const std::optional<std::wstring> command =
      entryOpened ? entry.ReadString(L"UninstallString") : std::nullopt;
  if (command && !entry.DeleteValue(L"UninstallString")) {
    LogLine(L"upgrade: the uninstall command stays while the uninstaller copy is replaced: " +
            entryKeyPath);
  }
  ClearFolderTree(target + L"\\", nullptr, nullptr);
  // The payload stays out of the copy, however the package spells its folder.
  const std::wstring payload = SubfolderSpelling(source + L"\\", L"Program Files");
  const std::size_t notCopied =
      CopyFolderTree(source + L"\\", target + L"\\", nullptr, false, payload, nullptr);
  RemoveReleaseFileLists(target + L"\\");
  bool complete = notCopied == 0 && FileExists(uninstallerPath) && KeepFolderPastRestart(target);
  if (!complete) LogLine(L"failed: the uninstaller copy is incomplete: " + uninstallerPath);
  if (command && FileExists(uninstallerPath) && !entry.WriteString(L"UninstallString", *command)) {
    LogLine(L"failed: the uninstall entry is left without its command: " + entryKeyPath);
    complete = false;
  }
  return complete;
}
