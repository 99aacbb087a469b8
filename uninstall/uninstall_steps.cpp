#include "uninstall/uninstall_steps.h"

#include <shlobj.h>
#include <windows.h>

#include "app/app_paths.h"
#include "util/folder_operations.h"
#include "util/reg_key.h"
#include "util/registry_helpers.h"
#include "util/removal_guards.h"
#include "util/setup_log.h"

namespace {

// `path` up to its last "\", without it; "" when it has none.
std::wstring FolderOf(const std::wstring& path) {
  const size_t separator = path.rfind(L'\\');
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

void DeleteLink(const std::wstring& link) {
  if (!link.empty()) ::DeleteFileW(link.c_str());
}

// Removes `folder` when it is empty and belongs to no one else.
bool RemoveOwnFolder(const std::wstring& folder) {
  if (IsProtectedFolder(folder)) {
    LogLine(L"guard: not removed, a folder that is not the product's own: " + folder);
    return false;
  }
  return ::RemoveDirectoryW(folder.c_str()) != FALSE;
}

enum class KeyRecord { kGone, kThisProducts, kOther };

// Whether the key at `keyPath` still holds the installation record that names the uninstall entry
// `entryName`, as the start found it.
KeyRecord HeldRecord(const std::wstring& keyPath, const std::wstring& entryName) {
  win::RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ)) return KeyRecord::kGone;
  const std::wstring held = key.ReadString(L"UninstRegFolder").value_or(L"");
  return !held.empty() && held == entryName ? KeyRecord::kThisProducts : KeyRecord::kOther;
}

}  // namespace

void RemoveBootValue(const UNINSTStruct_INFO& record) {
  // An empty name would be the Run key's default value, which is not ours.
  if (record.ExecOnBoot.empty()) {
    LogLine(L"guard: no start-up value named in the record; the Run key is left alone");
    return;
  }
  DeleteUserValue(kRunKeyPath, false, record.ExecOnBoot);
}

void RemoveUninstallEntry(const UNINSTStruct_INFO& record) {
  // The Uninstall key is the parent, so an empty name never reaches the key of every program.
  if (WithoutTrailingSeparators(record.UninstRegFolder).empty()) {
    LogLine(L"guard: no uninstall entry named in the record; the Uninstall key is left alone");
    return;
  }
  DeleteMachineKey(kUninstallKeyPath, false, record.UninstRegFolder);
}

void RemoveLinks(const UNINSTStruct_INFO& record, const std::wstring& programsFolder) {
  DeleteLink(record.LINK_ProgramsExec);
  DeleteLink(record.LINK_ProgramUnist);
  DeleteLink(record.LINK_ProgramsManual);
  DeleteLink(record.LINK_DesktopExec);

  const std::wstring programFolder = FolderOf(record.LINK_ProgramsExec);
  if (!programFolder.empty()) {
    RemoveOwnFolder(programFolder);
    const std::wstring menuFolder = FolderOf(programFolder);
    const DWORD attributes = ::GetFileAttributesW(menuFolder.c_str());
    if (!menuFolder.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      const std::int32_t count = CountFolderEntries(menuFolder, programsFolder);
      LogDebugLine(L"sProgramOnStartMenu Folder Item Count = " + std::to_wstring(count));
      if (count <= 0) {
        LogDebugLine(RemoveOwnFolder(menuFolder) ? L"Remove ProgramOnStartMenu folder success!!"
                                                 : L"Remove ProgramOnStartMenu folder fail!!");
      }
    }
  }
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, 0, nullptr, nullptr);
}

bool RemovePrivateFolder(const UNINSTStruct_INFO& record) {
  const std::wstring keyPath = WithoutTrailingSeparators(record.KeyPath);
  const std::wstring publisherKey = FolderOf(keyPath);
  // No private key recorded: nothing of it to remove.
  if (keyPath.empty()) return true;
  // A path of one component would be a top-level key such as "Software".
  if (WithoutTrailingSeparators(publisherKey).empty()) {
    LogLine(L"guard: the private key's path names no product key: " + keyPath);
    return false;
  }
  switch (HeldRecord(keyPath, record.UninstRegFolder)) {
    case KeyRecord::kGone:
      return true;
    case KeyRecord::kOther:
      LogLine(L"guard: not deleted, the key holds no installation record of this product: HKLM\\" +
              keyPath);
      return false;
    case KeyRecord::kThisProducts:
      break;
  }
  // A private key that will not go (RegKey logs the failure) keeps the publisher key from being
  // empty below.
  if (!win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, keyPath)) return false;
  if (FolderOf(publisherKey).empty()) return true;
  win::RegKey publisher;
  if (!publisher.Open(HKEY_LOCAL_MACHINE, publisherKey, KEY_READ)) return true;
  const bool empty = publisher.SubKeyNames().empty();
  publisher.Close();
  if (empty) (void)win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, publisherKey);
  return true;
}
