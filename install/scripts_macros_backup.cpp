#include "install/scripts_macros_backup.h"

#include <shlobj.h>
#include <windows.h>

#include <string>

#include "app/app.h"
#include "install/install_thread.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "util/removal_guards.h"
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

// Copies the tree and tells whether every file arrived whole.
bool CopyTree(TInstallThread& thread, const std::wstring& source, const std::wstring& target) {
  thread.PassGate();
  CopyFolderTree(AsFolder(source), AsFolder(target), nullptr, false, L"", nullptr);
  return EveryFileArrived(AsFolder(source), AsFolder(target));
}

// The folder that a clear of the program folders must keep when the backup did not take every
// file: ScriptsMacros, or for PanCapture the first level of its data folder.
std::wstring FolderToKeep(TInstallThread& thread) {
  if (thread.Setting(L"%PROGRAM_FILES") != kPanCapture) return kScriptsMacrosFolder;
  const std::wstring data = thread.Setting(L"%PROGRAM_DATA");
  return data.substr(0, data.find_first_of(L"\\/"));
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

  if (!backupPath.empty() && FolderExists(backupPath) && IsConfinedFolder(backupPath, templates)) {
    thread.PassGate();
    ClearFolderTree(AsFolder(backupPath), nullptr, nullptr);
  }
  bool saved = false;
  // Scripts saved by an installation that ended before it put them back are restored with
  // these; without this they would stay in the templates folder for good.
  if (named && FolderExists(folders.backup) && !IsFolderEmpty(AsFolder(folders.backup))) {
    backupPath = AsFolder(folders.backup);
    saved = true;
  }
  // Every copy is checked before anything is emptied: a file that could not be read (held open,
  // a path too long, no backup folder) keeps its original where it is.
  bool complete = true;
  const auto save = [&](const std::wstring& source) {
    CreateFolderPath(AsFolder(folders.backup), templates);
    complete = CopyTree(thread, source, folders.backup) && complete;
    backupPath = AsFolder(folders.backup);
    saved = true;
  };
  if (!folders.firstSource.empty() && FolderExists(folders.firstSource) && named) {
    save(folders.firstSource);
    if (FolderExists(folders.firstSourceOld)) save(folders.firstSourceOld);
  }
  const std::wstring& programFiles = App.Paths.ProgramFilesDir;
  if (FolderExists(folders.secondSource) && named) {
    save(folders.secondSource);
    if (FolderExists(folders.secondSourceOld)) save(folders.secondSourceOld);
    if (IsConfinedFolder(App.Paths.ProgramDir, programFiles)) {
      thread.PassGate();
      ClearFolderTree(AsFolder(App.Paths.ProgramDir), nullptr, nullptr,
                      complete ? L"" : FolderToKeep(thread));
    }
  }
  if (!saved) backupPath.clear();
  // The product folder must be a folder of its own inside Program Files: an empty or dotted name
  // would make it the Program Files folder or one above it, whose content belongs to others.
  if (FolderExists(App.Paths.InstallRootDir) &&
      IsConfinedFolder(App.Paths.InstallRootDir, programFiles)) {
    thread.PassGate();
    ClearFolderTree(AsFolder(App.Paths.InstallRootDir), nullptr, nullptr,
                    complete ? L"" : FolderToKeep(thread));
  }
  ::OutputDebugStringW((L"sBackupProgPath : " + folders.backup).c_str());
}

void RestoreScriptsMacros(TInstallThread& thread) {
  const std::wstring& backupPath = App.Paths.MacroBackupDir;
  if (backupPath.empty()) return;
  bool restored = false;
  if (thread.Setting(L"%PROGRAM_FILES") == kPanCapture) {
    restored = CopyTree(thread, backupPath,
                        App.Paths.ProgramDir + L"\\" + thread.Setting(L"%PROGRAM_DATA") + L"\\");
  } else {
    // The parent holds the ScriptsMacros folder, so each program folder receives one.
    std::wstring parent = backupPath.substr(0, backupPath.size() - 1);
    parent = parent.substr(0, parent.find_last_of(L'\\') + 1);
    restored = CopyTree(thread, parent, App.Paths.ProgramDir);
    restored = CopyTree(thread, parent, App.Paths.OldProgramDir) && restored;
  }
  // The backup is the user's only copy until every file is back.
  if (!restored || !IsConfinedFolder(backupPath, GetSpecialFolder(CSIDL_TEMPLATES))) return;
  thread.PassGate();
  ClearFolderTree(backupPath, nullptr, nullptr);
}
