// Opening the first page once the start checks are done: the verdict on an earlier installation
// in the install and upgrade modes, the program and updater windows closed in the uninstall
// modes.
#include <shlobj.h>
#include <windows.h>

#include "app/app.h"
#include "core/prepare/run_state.h"
#include "core/prepare/uninstall_command.h"
#include "core/strings/string_util.h"
#include "core/version/version_compare.h"
#include "pages/ask_upgrade_page.h"
#include "pages/message_boxes.h"
#include "pages/uninstall_confirm_dialog.h"
#include "pages/uninstall_page.h"
#include "pages/welcome_page.h"
#include "pages/wizard_run.h"
#include "prepare/prepare_form.h"
#include "uninstall/removal_sequence.h"
#include "util/file_bytes.h"
#include "util/file_permissions.h"
#include "util/process_windows.h"
#include "util/registry_helpers.h"
#include "util/run_and_wait.h"
#include "util/setup_log.h"
#include "util/special_folders.h"
#include "winfx/application.h"

namespace {

constexpr wchar_t kFileList[] = L"Application_FileList.txt";
constexpr UINT kUpdaterCloseTimeoutMs = 5000;

std::wstring InstalledUninstallString() {
  return ReadMachineString(L"UninstallString", false,
                           App.Paths.UninstallKey + App.Setting(L"%REG_FODLER_PROGNAME"));
}

// Whether the installation's uninstall entry is still there: its command may be gone, its
// version tells what is installed.
bool InstallationStillRegistered() {
  return !ReadMachineString(L"DisplayVersion", false,
                            App.Paths.UninstallKey + App.Setting(L"%REG_FODLER_PROGNAME"))
              .empty();
}

}  // namespace

void TFPrepare::Timer1Timer() {
  if (Mode == prepare::RunMode::kInstall || Mode == prepare::RunMode::kUpgrade) {
    if (StepCount * 25 != 100) return;
    SetTimerEnabled(L"Timer1", false);
    ChooseFirstPage();
  } else if (Mode == prepare::RunMode::kUninstall || Mode == prepare::RunMode::kUninstallAnyway) {
    if (StepCount * 10 != 100) return;
    SetTimerEnabled(L"Timer1", false);
    DispatchUninstall();
  }
}

void TFPrepare::DispatchUninstall() {
  CloseProgramAndUpdater();
  if (Mode == prepare::RunMode::kUninstall) {
    OpenFirstPage(*FUninstallConfirm);
  } else {
    OpenFirstPage(*FUninstall);
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
        winfx::ShowMessage(RefusalText(Refusal::kEarlierInstaller));
        Close();
        return;
      }
      OpenWelcomePage();
      return;
    case prepare::kRunStateReplace:
      if (Mode == prepare::RunMode::kUpgrade && UpgradeByFileLists()) return;
      ReplaceInstalledVersion();
      return;
    case prepare::kRunStateNewerInstalled:
      SetOpacity(0);
      ShowRefusal(Refusal::kNewerInstalled);
      Close();
      return;
    default:
      // An installation was found but the package names no version to judge it by: end the
      // run with a message rather than leave the user at an idle window.
      ShowSettingsRefusal(L"Setup.ini has no %PROGRAM_VERSION");
      Close();
      return;
  }
}

void TFPrepare::OpenWelcomePage() {
  TakeOwnershipOfProductFolders();
  OpenFirstPage(*FWelcome);
}

void TFPrepare::OpenFirstPage(winfx::TForm& page) {
  pages::HandOverRun({Mode, UninstInfo});
  SetOpacity(0);
  page.Show();
}

void TFPrepare::TakeOwnershipOfProductFolders() {
  if (FolderExists(App.Paths.InstallRootDir)) {
    (void)MakeAdministratorsOwner(App.Paths.InstallRootDir);
    const bool oem = App.Setting(L"%PUBLISHER") == L"OEM";
    const std::wstring menuName =
        App.GetText(L"UNINSTALL", oem ? L"LINK_PROGRAMS_FOLDER" : L"LINK_PROGRAMS_PUBLISHER");
    // Without a name of its own the folder would be the Start menu's Programs folder itself.
    const std::wstring menuFolder = GetSpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\" + menuName;
    if (!menuName.empty() && FolderExists(menuFolder)) (void)MakeAdministratorsOwner(menuFolder);
  }
}

void TFPrepare::ReplaceInstalledVersion() {
  const bool older = version::CompareVersionText(InstalledVersion, SetupVersion) < 0;
  if (!AskYesNo(older ? L"MSG_501" : L"MSG_503")) {
    Close();
    return;
  }
  if (!RemoveEarlierVersion(false)) {
    ShowInformation(L"MSG_502");
    Close();
    return;
  }
  App.Info.RunState = prepare::kRunStateInstall;
  OpenFirstPage(*FWelcome);
}

bool TFPrepare::RemoveEarlierVersion(bool quiet) {
  // The recorded uninstaller runs with this program's rights, so it is started only where only
  // administrators can have put it; every earlier release left its folder open to everybody.
  // Otherwise, and without a command or with one whose program cannot be started, the earlier
  // installation is removed from its record by this program; an uninstaller that ran and failed
  // ends the run. A quiet run asks the uninstaller to be quiet too; one older than that option
  // shows its pages.
  const prepare::CommandParts recorded = prepare::SplitCommand(InstalledUninstallString());
  bool started = false;
  if (recorded.program.empty() || !FileExists(recorded.program)) {
    LogLine(L"no uninstaller to start: the earlier installation is removed by this program");
  } else if (!OnlyAdministratorsCanChange(recorded.program)) {
    LogLine(L"uninstaller not started, as others than administrators can change it: " +
            recorded.program);
  } else {
    started = RunAndWait(prepare::ReplacementUninstallCommand(recorded, quiet),
                         quiet ? CREATE_NO_WINDOW : CREATE_NEW_CONSOLE, recorded.program);
  }
  if (!started) RemoveEarlierInstallation();
  return !InstallationStillRegistered();
}

void TFPrepare::RemoveEarlierInstallation() {
  // The recorded uninstaller is gone (a cleaning tool, or an installation ended before it copied
  // the setup program): this program has the same engine and guards, and removes the earlier
  // installation from its record itself.
  if (!LoadInstallationRecord()) return;
  struct : StatusSink, ProgressSink {
    void ShowStatus(const std::wstring&) override {}
    int Position() const override { return position; }
    void SetPosition(int value) override { position = value; }
    int position = 0;
  } reports;
  RemoveInstallation(UninstInfo, App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER"), reports,
                     reports, nullptr);
}

bool TFPrepare::UpgradeByFileLists() {
  if (!FileListsForUpgrade()) return false;
  OpenFirstPage(*FAskUpgradeAndRepair);
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
