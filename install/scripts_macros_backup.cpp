#include "install/scripts_macros_backup.h"

#include <shlobj.h>
#include <windows.h>

#include <string>

#include "app/app.h"
#include "install/install_thread.h"
#include "uninstall/removal_guards.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "util/special_folders.h"

namespace {

constexpr wchar_t kPanCapture[] = L"PanCapture";

// `path` with every doubled separator after the drive made single, and one trailing "\".
std::wstring AsFolder(std::wstring path) {
  std::wstring single;
  for (wchar_t c : path) {
    if (c == L'\\' && !single.empty() && single.back() == L'\\') continue;
    single += c;
  }
  if (single.empty() || single.back() != L'\\') single += L'\\';
  return single;
}

void CopyTree(TInstallThread& thread, const std::wstring& source, const std::wstring& target) {
  thread.PassGate();
  CopyFolderTree(AsFolder(source), AsFolder(target), nullptr, false, L"", nullptr);
}

struct ScriptFolders {
  std::wstring backup;
  std::wstring firstSource;
  std::wstring firstSourceOld;
  std::wstring secondSource;
  std::wstring secondSourceOld;
};

ScriptFolders FoldersOf(TInstallThread& thread, const std::wstring& templates) {
  const std::wstring name = thread.Setting(L"%REG_FODLER_PROGNAME");
  const std::wstring product = thread.Setting(L"%PROGRAM_FILES");
  const std::wstring dataFolder = thread.Setting(L"%PROGRAM_DATA");
  const std::wstring& programFiles = App.Paths.ProgramFilesDir;
  if (product == kPanCapture) {
    return {templates + L"\\" + name, L"", L"", App.Paths.ProgramDir + L"\\" + dataFolder,
            App.Paths.OldProgramDir + L"\\ScriptsMacros"};
  }
  return {templates + L"\\" + name + L"\\ScriptsMacros",
          programFiles + L"\\" + product + L"\\ScriptsMacros",
          programFiles + L"\\" + thread.Setting(L"%PROGRAM_FILES_OLD") + L"\\ScriptsMacros",
          App.Paths.ProgramDir + L"\\ScriptsMacros", App.Paths.OldProgramDir + L"\\ScriptsMacros"};
}

}  // namespace

void BackupScriptsMacros(TInstallThread& thread) {
  const std::wstring templates = GetSpecialFolder(CSIDL_TEMPLATES);
  const ScriptFolders folders = FoldersOf(thread, templates);
  const bool named = !thread.Setting(L"%REG_FODLER_PROGNAME").empty();
  auto& backupPath = App.Paths.MacroBackupDir;

  if (!backupPath.empty() && FolderExists(backupPath)) {
    thread.PassGate();
    ClearFolderTree(AsFolder(backupPath), nullptr, nullptr);
  }
  bool saved = false;
  if (!folders.firstSource.empty() && FolderExists(folders.firstSource) && named) {
    CreateFolderPath(AsFolder(folders.backup), templates);
    CopyTree(thread, folders.firstSource, folders.backup);
    if (FolderExists(folders.firstSourceOld))
      CopyTree(thread, folders.firstSourceOld, folders.backup);
    backupPath = AsFolder(folders.backup);
    saved = true;
  }
  if (FolderExists(folders.secondSource) && named) {
    CreateFolderPath(AsFolder(folders.backup), templates);
    CopyTree(thread, folders.secondSource, folders.backup);
    if (FolderExists(folders.secondSourceOld)) {
      CopyTree(thread, folders.secondSourceOld, folders.backup);
    }
    backupPath = AsFolder(folders.backup);
    saved = true;
    if (IsRemovableInstallDir(App.Paths.ProgramDir)) {
      thread.PassGate();
      ClearFolderTree(AsFolder(App.Paths.ProgramDir), nullptr, nullptr);
    }
  }
  if (!saved) backupPath.clear();
  // An empty or dotted product folder name makes the product folder the Program Files folder
  // or one above it, whose content belongs to others.
  if (FolderExists(App.Paths.InstallRootDir) && IsRemovableInstallDir(App.Paths.InstallRootDir)) {
    thread.PassGate();
    ClearFolderTree(AsFolder(App.Paths.InstallRootDir), nullptr, nullptr);
  }
  ::OutputDebugStringW((L"sBackupProgPath : " + folders.backup).c_str());
}

void RestoreScriptsMacros(TInstallThread& thread) {
  const std::wstring& backupPath = App.Paths.MacroBackupDir;
  if (backupPath.empty()) return;
  if (thread.Setting(L"%PROGRAM_FILES") == kPanCapture) {
    CopyTree(thread, backupPath,
             App.Paths.ProgramDir + L"\\" + thread.Setting(L"%PROGRAM_DATA") + L"\\");
  } else {
    // The parent holds the ScriptsMacros folder, so each program folder receives one.
    std::wstring parent = backupPath.substr(0, backupPath.size() - 1);
    parent = parent.substr(0, parent.find_last_of(L'\\') + 1);
    CopyTree(thread, parent, App.Paths.ProgramDir);
    CopyTree(thread, parent, App.Paths.OldProgramDir);
  }
  thread.PassGate();
  ClearFolderTree(backupPath, nullptr, nullptr);
}
