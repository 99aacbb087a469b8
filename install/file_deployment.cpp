#include "install/file_deployment.h"

#include <sddl.h>

#include "app/app.h"
#include "app/throttled_reports.h"
#include "core/strings/string_util.h"
#include "install/install_context.h"
#include "util/file_bytes.h"
#include "util/find_entries.h"
#include "util/folder_identity.h"
#include "util/folder_operations.h"
#include "util/release_list_removal.h"
#include "util/run_and_wait.h"
#include "util/windows_version.h"

namespace {

constexpr DWORD kNoWindow = CREATE_NO_WINDOW;
constexpr wchar_t kEveryoneSidForm[] = L"*S-1-1-0";
// A copied file's path and bar step reach the page at most this often: drawing them costs the
// user-interface thread more than copying a small file, and the finish page waits behind them.
constexpr ULONGLONG kFileReportIntervalMs = 50;

void CreateSingleFolder(const std::wstring& path) {
  if (!FolderExists(path)) ::CreateDirectoryW(path.c_str(), nullptr);
}

// A backslash before the closing quote would escape it and run the arguments together.
std::wstring Quoted(std::wstring text) {
  while (!text.empty() && text.back() == L'\\') text.pop_back();
  return L"\"" + text + L"\"";
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

// Runs the four icacls lines on `target`, moving the bar after each when `withBar` is set.
void RunIcacls(InstallContext& context, const std::wstring& target, bool withBar) {
  // icacls acts on what a link points to, and /T walks on there: a link planted below the folder
  // would carry its permissions elsewhere. Links go first, and /L keeps icacls on any that stay.
  RemoveLinksInTree(strings::WithTrailingSeparator(target));
  const auto lines = PermissionCommandLines(6, target, L"");
  for (std::size_t index = 0; index < lines.size(); ++index) {
    std::wstring line = lines[index];
    if (index == 2) line = PermissionCommandLines(6, target, EveryoneGroupName())[2];
    context.PassGate();
    RunAndWait(line, kNoWindow);
    if (withBar) context.SetPosition(20 * static_cast<int>(index + 1));
  }
}

}  // namespace

std::vector<std::wstring> PermissionCommandLines(DWORD majorVersion, const std::wstring& target,
                                                 const std::wstring& everyone) {
  const std::wstring folder = Quoted(target);
  if (majorVersion == 6) {
    return {L"icacls.exe " + folder + L" /reset /T /L",
            L"icacls.exe " + folder + L" /inheritance:r /T /L",
            L"icacls.exe " + folder + L" /grant " + Quoted(everyone) + L":(OI)(CI)F /T /L",
            L"icacls.exe " + folder + L" /grant SYSTEM:(OI)(CI)F /T /L"};
  }
  if (majorVersion == 5) {
    return {L"cmd.exe /c echo y|cacls " + folder + L" /G " + Quoted(everyone) + L":F /T"};
  }
  return {};
}

std::wstring EveryoneGroupName() {
  PSID sid = nullptr;
  if (!::ConvertStringSidToSidW(L"S-1-1-0", &sid)) return kEveryoneSidForm;
  DWORD nameSize = 0;
  DWORD domainSize = 0;
  SID_NAME_USE use;
  ::LookupAccountSidW(nullptr, sid, nullptr, &nameSize, nullptr, &domainSize, &use);
  std::wstring name;
  if (nameSize > 0) {
    std::wstring nameBuffer(nameSize, L'\0');
    std::wstring domainBuffer(domainSize + 1, L'\0');
    if (::LookupAccountSidW(nullptr, sid, nameBuffer.data(), &nameSize, domainBuffer.data(),
                            &domainSize, &use)) {
      name = nameBuffer.c_str();
    }
  }
  ::LocalFree(sid);
  return name.empty() ? kEveryoneSidForm : name;
}

void CopyFiles(InstallContext& context) {
  context.SetPosition(0);
  context.ShowStatus(App.GetText(L"InstallWizard", L"CopyFiles"));
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
  if (major == 6) {
    context.SetPosition(0);
    RunIcacls(context, context.paths.InstallRootDir, true);
  } else if (major == 5) {
    context.SetPosition(0);
    context.PassGate();
    RunAndWait(PermissionCommandLines(5, context.paths.InstallRootDir, EveryoneGroupName())[0],
               kNoWindow);
    context.SetPosition(80);
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
  ::CopyFileW((fallbackFolder + workbooks.front()).c_str(),
              (backupFolder + L"\\Texts\\" + workbooks.front()).c_str(), FALSE);
}

void SecureBackupFolder(InstallContext& context) {
  if (context.paths.UninstallerPath.empty()) return;
  if (QueryWindowsVersion().major != 6) return;
  RunIcacls(context, FolderOf(context.paths.UninstallerPath), false);
}
