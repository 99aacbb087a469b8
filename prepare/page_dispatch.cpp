// Opening the first page once the start checks are done: the verdict on an earlier installation
// in the install and upgrade modes, the program and updater windows closed in the uninstall
// modes.
#include <shlobj.h>
#include <windows.h>

#include "app/app.h"
#include "app/run_and_wait.h"
#include "core/prepare/run_state.h"
#include "core/strings/string_util.h"
#include "core/version/version_compare.h"
#include "pages/ask_upgrade_page.h"
#include "pages/uninstall_confirm_dialog.h"
#include "pages/uninstall_page.h"
#include "pages/welcome_page.h"
#include "prepare/message_boxes.h"
#include "prepare/prepare_form.h"
#include "util/file_bytes.h"
#include "util/process_windows.h"
#include "util/registry_helpers.h"
#include "util/special_folders.h"
#include "winfx/application.h"

namespace {

constexpr wchar_t kFileList[] = L"Application_FileList.txt";
constexpr UINT kUpdaterCloseTimeoutMs = 5000;

void TakeOwnership(const std::wstring& folder) {
  RunAndWait(L"TAKEOWN /A /F \"" + strings::WithoutTrailingSeparator(folder) + L"\"",
             CREATE_NO_WINDOW);
}

std::wstring InstalledUninstallString() {
  return ReadMachineString(L"UninstallString", false,
                           App.Paths.UninstallKey + App.Setting(L"%REG_FODLER_PROGNAME"));
}

}  // namespace

void TFPrepare::Timer1Timer() {
  if (Mode == L"Install" || Mode == L"Upgrade") {
    if (StepCount * 25 != 100) return;
    SetTimerEnabled(L"Timer1", false);
    ChooseFirstPage();
  } else if (Mode == L"Uninstall" || Mode == L"UninstallAnyway") {
    if (StepCount * 10 != 100) return;
    SetTimerEnabled(L"Timer1", false);
    DispatchUninstall();
  }
}

void TFPrepare::DispatchUninstall() {
  CloseProgramAndUpdater();
  SetOpacity(0);
  if (Mode == L"Uninstall") {
    FUninstallConfirm->Show();
  } else {
    FUninstall->Show();
  }
}

void TFPrepare::CloseProgramAndUpdater() {
  if (FileExists(App.Paths.SetupIniPath)) {
    CloseProcessesByName(App.Setting(L"%PROGRAM_EXEC"), false);
  }
  // The updater is asked to close like a user would; one that does not answer is not waited for.
  if (HWND updater = ::FindWindowW(nullptr, L"UpdaterForm")) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(updater, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kUpdaterCloseTimeoutMs,
                          &ignored);
  }
}

void TFPrepare::ChooseFirstPage() {
  SetupVersion = FileExists(App.Paths.SetupIniPath) ? App.Setting(L"%PROGRAM_VERSION") : L"";
  App.Info.RunState = prepare::JudgeRunState(InstalledVersionFound, PrivateFolderFound,
                                             InstalledVersion, SetupVersion);
  switch (App.Info.RunState) {
    case prepare::kRunStateInstall:
      SetOpacity(0);
      if (FindLegacyInstallation()) {
        if (App.Settings) CloseProcessesByName(App.Setting(L"%PROGRAM_EXEC"), true);
        winfx::ShowMessage(App.GetText(L"InstallWizard", L"MSG_302") + L" (302)");
        Close();
        return;
      }
      OpenWelcomePage();
      return;
    case prepare::kRunStateReplace:
      if (Mode == L"Upgrade" && UpgradeByFileLists()) return;
      ReplaceInstalledVersion();
      return;
    case prepare::kRunStateNewerInstalled:
      SetOpacity(0);
      ShowRefusal(L"MSG_102", 102);
      Close();
      return;
    default:
      // An installation was found but the package names no version to judge it by: end the
      // run with a message rather than leave the user at an idle window.
      ShowRefusalText(L"Setup.ini has no %PROGRAM_VERSION", 0);
      Close();
      return;
  }
}

void TFPrepare::OpenWelcomePage() {
  TakeOwnershipOfProductFolders();
  SetOpacity(0);
  FWelcome->Show();
}

void TFPrepare::TakeOwnershipOfProductFolders() {
  if (FolderExists(App.Paths.InstallRootDir)) {
    TakeOwnership(App.Paths.InstallRootDir);
    const bool oem = App.Setting(L"%PUBLISHER") == L"OEM";
    const std::wstring menuFolder =
        GetSpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\" +
        App.GetText(L"UNINSTALL", oem ? L"LINK_PROGRAMS_FOLDER" : L"LINK_PROGRAMS_PUBLISHER");
    if (FolderExists(menuFolder)) TakeOwnership(menuFolder);
  }
}

void TFPrepare::ReplaceInstalledVersion() {
  const bool older = version::CompareVersionText(InstalledVersion, SetupVersion) < 0;
  if (!AskYesNo(older ? L"MSG_501" : L"MSG_503")) {
    Close();
    return;
  }
  const std::wstring uninstall = InstalledUninstallString();
  if (uninstall.empty()) {
    // Nothing to run the old version's removal with: say so and end, rather than idle.
    ShowInformation(L"MSG_502");
    Close();
    return;
  }
  RunAndWait(strings::ReplaceAll(uninstall, L"uninstall", L"uninstallanyway"), CREATE_NEW_CONSOLE);
  if (!InstalledUninstallString().empty()) {
    ShowInformation(L"MSG_502");
    Close();
    return;
  }
  App.Info.RunState = prepare::kRunStateInstall;
  SetOpacity(0);
  FWelcome->Show();
}

bool TFPrepare::UpgradeByFileLists() {
  if (!FileListsForUpgrade()) return false;
  SetOpacity(0);
  FAskUpgradeAndRepair->Show();
  return true;
}

bool TFPrepare::FileListsForUpgrade() {
  std::wstring installed;
  if (LoadInstallationRecord()) {
    installed = strings::WithTrailingSeparator(UninstInfo.InstallDir) + UninstInfo.Product + L"\\";
  }
  const std::wstring package = ExecutableFolder() + L"Program Files\\" + UninstInfo.Product + L"\\";
  if (installed.empty() || UninstInfo.Product.empty() || !FileExists(installed + kFileList) ||
      !FileExists(package + kFileList)) {
    return false;
  }
  return true;
}
