#include "install/scripts_macros_backup.h"

#include <shlobj.h>
#include <windows.h>

#include <string>

#include "core/folders/name_rules.h"
#include "core/strings/string_util.h"
#include "install/install_context.h"
#include "record/record_values.h"
#include "util/file_bytes.h"
#include "util/folder_operations.h"
#include "util/reg_key.h"
#include "util/removal_guards.h"
#include "util/setup_log.h"
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
bool CopyTree(const InstallContext& context, const std::wstring& source,
              const std::wstring& target) {
  context.PassGate();
  CopyFolderTree(AsFolder(source), AsFolder(target), nullptr, false, L"", nullptr);
  return EveryFileArrived(AsFolder(source), AsFolder(target));
}

// The folder that a clear of the program folders must keep when the backup did not take every
// file: ScriptsMacros, or for PanCapture the first level of its data folder.
std::wstring FolderToKeep(const InstallContext& context) {
  if (context.Setting(L"%PROGRAM_FILES") != kPanCapture) return kScriptsMacrosFolder;
  const std::wstring data = context.Setting(L"%PROGRAM_DATA");
  return data.substr(0, data.find_first_of(L"\\/"));
}

struct ScriptFolders {
  std::wstring backup;
  std::wstring firstSource;
  std::wstring firstSourceOld;
  std::wstring secondSource;
  std::wstring secondSourceOld;
};

ScriptFolders FoldersOf(const InstallContext& context, const std::wstring& templates) {
  const std::wstring name = context.Setting(L"%REG_FODLER_PROGNAME");
  const std::wstring product = context.Setting(L"%PROGRAM_FILES");
  const std::wstring dataFolder = context.Setting(L"%PROGRAM_DATA");
  const std::wstring& programFiles = context.paths.ProgramFilesDir;
  if (product == kPanCapture) {
    return {templates + L"\\" + name, L"", L"", context.paths.ProgramDir + L"\\" + dataFolder,
            context.paths.OldProgramDir + L"\\ScriptsMacros"};
  }
  return {templates + L"\\" + name + L"\\ScriptsMacros",
          programFiles + L"\\" + product + L"\\ScriptsMacros",
          programFiles + L"\\" + context.Setting(L"%PROGRAM_FILES_OLD") + L"\\ScriptsMacros",
          context.paths.ProgramDir + L"\\ScriptsMacros",
          context.paths.OldProgramDir + L"\\ScriptsMacros"};
}

// Whether this product's installation record names `folder` as its product folder or its program
// folder: only then is what lies there the product's own to clear. A first installation into a
// folder that exists already (another program's, a user's) installs over it instead.
bool RecordNamesFolder(const InstallContext& context, const std::wstring& folder) {
  const std::wstring keyPath = PrivateFolderKeyPath(context.settings, context.paths);
  win::RegKey key;
  if (keyPath.empty() || !key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ)) return false;
  if (key.ReadString(L"UninstRegFolder").value_or(L"").empty()) return false;
  const std::wstring installDir =
      NormalisedAbsolutePath(key.ReadString(L"InstallDir").value_or(L""));
  const std::wstring product = key.ReadString(L"Product").value_or(L"");
  const std::wstring wanted = NormalisedAbsolutePath(folder);
  if (installDir.empty() || wanted.empty()) return false;
  if (strings::EqualsIgnoreCase(installDir, wanted)) return true;
  return folders::CheckPlainName(product) == folders::NameProblem::kNone &&
         strings::EqualsIgnoreCase(installDir + L"\\" + product, wanted);
}

void LogLeftAlone(const std::wstring& folder) {
  LogLine(L"guard: not emptied, no installation record of this product names the folder: " +
          folder);
}

}  // namespace

void BackupScriptsMacros(InstallContext& context) {
  const std::wstring templates = GetSpecialFolder(CSIDL_TEMPLATES);
  const ScriptFolders folders = FoldersOf(context, templates);
  const bool named = !context.Setting(L"%REG_FODLER_PROGNAME").empty();
  auto& backupPath = context.paths.MacroBackupDir;

  if (!backupPath.empty() && FolderExists(backupPath) && IsConfinedFolder(backupPath, templates)) {
    context.PassGate();
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
    complete = CopyTree(context, source, folders.backup) && complete;
    backupPath = AsFolder(folders.backup);
    saved = true;
  };
  if (!folders.firstSource.empty() && FolderExists(folders.firstSource) && named) {
    save(folders.firstSource);
    if (FolderExists(folders.firstSourceOld)) save(folders.firstSourceOld);
  }
  const std::wstring& programFiles = context.paths.ProgramFilesDir;
  if (FolderExists(folders.secondSource) && named) {
    save(folders.secondSource);
    if (FolderExists(folders.secondSourceOld)) save(folders.secondSourceOld);
    if (!RecordNamesFolder(context, context.paths.ProgramDir)) {
      LogLeftAlone(context.paths.ProgramDir);
    } else if (IsConfinedFolder(context.paths.ProgramDir, programFiles)) {
      context.PassGate();
      ClearFolderTree(AsFolder(context.paths.ProgramDir), nullptr, nullptr,
                      complete ? L"" : FolderToKeep(context));
    }
  }
  if (!saved) backupPath.clear();
  // The product folder must be a folder of its own inside Program Files: an empty or dotted name
  // would make it the Program Files folder or one above it, whose content belongs to others.
  if (FolderExists(context.paths.InstallRootDir) &&
      !RecordNamesFolder(context, context.paths.InstallRootDir)) {
    LogLeftAlone(context.paths.InstallRootDir);
  } else if (FolderExists(context.paths.InstallRootDir) &&
             IsConfinedFolder(context.paths.InstallRootDir, programFiles)) {
    context.PassGate();
    ClearFolderTree(AsFolder(context.paths.InstallRootDir), nullptr, nullptr,
                    complete ? L"" : FolderToKeep(context));
  }
  LogDebugLine(L"sBackupProgPath : " + folders.backup);
}

void RestoreScriptsMacros(InstallContext& context) {
  const std::wstring& backupPath = context.paths.MacroBackupDir;
  if (backupPath.empty()) return;
  bool restored = false;
  if (context.Setting(L"%PROGRAM_FILES") == kPanCapture) {
    restored =
        CopyTree(context, backupPath,
                 context.paths.ProgramDir + L"\\" + context.Setting(L"%PROGRAM_DATA") + L"\\");
  } else {
    // The parent holds the ScriptsMacros folder, so each program folder receives one.
    std::wstring parent = backupPath.substr(0, backupPath.size() - 1);
    parent = parent.substr(0, parent.find_last_of(L'\\') + 1);
    restored = CopyTree(context, parent, context.paths.ProgramDir);
    restored = CopyTree(context, parent, context.paths.OldProgramDir) && restored;
  }
  // The backup is the user's only copy until every file is back.
  if (!restored) {
    context.StepFailed(L"the scripts and macros are not all back; their copy stays in " +
                       backupPath);
    return;
  }
  if (!IsConfinedFolder(backupPath, GetSpecialFolder(CSIDL_TEMPLATES))) return;
  context.PassGate();
  ClearFolderTree(backupPath, nullptr, nullptr);
}
