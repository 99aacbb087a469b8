#include "install/file_deployment.h"

#include "app/throttled_reports.h"
#include "core/strings/string_util.h"
#include "install/install_context.h"
#include "util/executable_folder.h"
#include "util/file_bytes.h"
#include "util/file_permissions.h"
#include "util/find_entries.h"
#include "util/folder_identity.h"
#include "util/folder_operations.h"
#include "util/gated_file_copy.h"
#include "util/release_list_removal.h"
#include "util/windows_version.h"

namespace {

// A copied file's path and bar step reach the page at most this often: drawing them costs the
// user-interface thread more than copying a small file, and the finish page waits behind them.
constexpr ULONGLONG kFileReportIntervalMs = 50;

void CreateSingleFolder(const std::wstring& path) {
  if (!FolderExists(path)) ::CreateDirectoryW(path.c_str(), nullptr);
}

std::wstring FolderOf(const std::wstring& path) {
  const auto separator = path.find_last_of(L'\\');
  return separator == std::wstring::npos ? L"" : path.substr(0, separator);
}

// Copies a folder tree with the page's label and bar, overwriting, reporting at most once per
// interval; the last file's path and the bar's count are shown at the end.
void CopyTreeWithReports(InstallContext& context, const std::wstring& source,
                         const std::wstring& target, const std::wstring& leaveOut) {
  ThrottledReports reports(context.reporter.status, context.reporter.progress, context.gate,
                           kFileReportIntervalMs);
  context.filesNotCopied +=
      CopyFolderTree(source, target, &reports, false, leaveOut, &reports, context.gate);
  reports.Flush();
}

// Sets the permissions of the tree `folder` by handle; the bar ends where the four permission
// commands of earlier releases left it.
void SetPermissions(InstallContext& context, const std::wstring& folder, TreeAccess access,
                    bool withBar) {
  context.PassGate();
  const PermissionWalk walk = SetTreePermissions(folder, access);
  if (walk.failed > 0) ++context.stepsBrokenOff;
  if (withBar) {
    for (const int position : {20, 40, 60, 80}) context.SetPosition(position);
  }
}

}  // namespace

void CopyFiles(InstallContext& context) {
  context.SetPosition(0);
  context.ShowStatus(context.Text(L"InstallWizard", L"CopyFiles"));
  const std::wstring setupFolder = ExecutableFolder();
  const std::wstring payload = setupFolder + L"Program Files\\";

  CreateSingleFolder(context.paths.InstallRootDir);
  CreateSingleFolder(context.paths.ProgramDir);
  CreateSingleFolder(context.paths.OldProgramDir);
  context.PassGate();
  CopyTreeWithReports(context, payload + context.Setting(L"%PROGRAM_FILES") + L"\\",
                      context.paths.ProgramDir + L"\\", L"");
  context.PassGate();
  CopyTreeWithReports(context, payload + context.Setting(L"%PROGRAM_FILES_OLD") + L"\\",
                      context.paths.OldProgramDir + L"\\", L"");

  std::wstring updater = context.paths.InstallRootDir + L"\\" + context.Setting(L"%UPDATER_DIR");
  if (updater.back() != L'\\') updater += L'\\';
  context.paths.UpdaterDir = updater;
  CreateSingleFolder(strings::WithoutTrailingSeparator(updater));
  context.PassGate();
  CopyTreeWithReports(context, payload + context.Setting(L"%UPDATER_DIR") + L"\\", updater, L"");

  const DWORD major = QueryWindowsVersion().major;
  if (major == 6 || major == 5) {
    context.SetPosition(0);
    SetPermissions(context, context.paths.InstallRootDir, TreeAccess::kEveryoneFull, true);
  }
}

void CopySetupToBackup(InstallContext& context) {
  // Without an uninstall entry there is no install-backup folder to fill.
  if (context.paths.UninstallerPath.empty()) return;
  const std::wstring setupFolder = ExecutableFolder();
  const std::wstring backupFolder = FolderOf(context.paths.UninstallerPath);
  // Run from its own install-backup copy, the program would copy the folder onto itself.
  if (SameFolder(setupFolder, backupFolder)) return;
  context.PassGate();
  // The payload stays out of the uninstaller's copy, however the package spells its folder.
  CopyTreeWithReports(context, setupFolder, backupFolder + L"\\",
                      SubfolderSpelling(setupFolder, L"program files"));
  RemoveReleaseFileLists(backupFolder + L"\\");

  std::vector<std::wstring> workbooks;
  if (FindEntries(setupFolder + L"Texts\\", L".xls", workbooks) > 0) return;
  const std::wstring fallbackFolder = setupFolder + L"program files\\" +
                                      context.Setting(L"%PROGRAM_FILES") + L"\\" +
                                      context.Setting(L"%PROGRAM_DATA") + L"Forms\\Texts\\";
  if (FindEntries(fallbackFolder, L".xls", workbooks) == 0) return;
  // The uninstaller looks for its workbook here first, so the folder is made when missing.
  CreateSingleFolder(backupFolder + L"\\Texts");
  context.PassGate();
  CopyFileThroughGate(fallbackFolder + workbooks.front(),
                      backupFolder + L"\\Texts\\" + workbooks.front(), false, nullptr);
}

void SecureBackupFolder(InstallContext& context) {
  if (context.paths.UninstallerPath.empty()) return;
  if (QueryWindowsVersion().major != 6) return;
  SetPermissions(context, FolderOf(context.paths.UninstallerPath), TreeAccess::kAdministratorsOnly,
                 false);
}
