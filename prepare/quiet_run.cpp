// A run without a user: the preparation window's checks and verdict, answered as a deployment
// needs them (an older version is replaced, the same version is left as it is), and the work of
// the mode on its worker thread. No window is shown; every refusal ends the run with its number.
#include <windows.h>

#include <memory>
#include <string>

#include "app/app.h"
#include "app/run_outcome.h"
#include "app/worker_thread.h"
#include "core/prepare/run_mode.h"
#include "core/prepare/run_state.h"
#include "core/strings/string_util.h"
#include "core/version/version_compare.h"
#include "install/install_thread.h"
#include "pages/finish_page.h"
#include "pages/message_boxes.h"
#include "prepare/prepare_form.h"
#include "uninstall/uninstall_thread.h"
#include "uninstall/uninstaller_self_removal.h"
#include "upgrade/uninstaller_refresh.h"
#include "upgrade/upgrade_thread.h"
#include "util/command_line.h"
#include "util/file_bytes.h"
#include "util/process_windows.h"
#include "util/setup_log.h"

namespace {

// Runs the worker to its end. Its reports are addressed to the preparation window, which no one
// sees: the status texts it hands over are freed here.
void RunWorker(TWorkerThread& worker, const wchar_t* finishedMessageName) {
  const UINT finished = ::RegisterWindowMessageW(finishedMessageName);
  const UINT progress = ::RegisterWindowMessageW(kWorkerProgressMessage);
  worker.Start();
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == finished) break;
    if (message.message == progress) {
      if (message.wParam == kStatusText) delete reinterpret_cast<std::wstring*>(message.lParam);
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

const wchar_t* VerdictText(prepare::RunState runState) {
  switch (runState) {
    case prepare::kRunStateInstall:
      return L"install afresh";
    case prepare::kRunStateReplace:
      return L"the same or an older version is installed";
    case prepare::kRunStateNewerInstalled:
      return L"a newer version is installed";
    default:
      return L"undecided: the package names no version";
  }
}

// Work that was not all done (the lines above name each file that failed): the run ends with the
// installer failure code.
int ReportIncomplete(const std::wstring& what) {
  LogLine(L"failed: " + what);
  RecordRefusal(Refusal::kIncomplete);
  return RefusalExitCode();
}

}  // namespace

int TFPrepare::RunQuiet() {
  const std::vector<std::wstring> arguments = CommandLineArguments();
  const prepare::RunMode mode =
      prepare::RunModeFromArgument(arguments.empty() ? L"" : arguments.front());
  if (RefusesBrokenNames(mode)) return RefusalExitCode();
  switch (mode) {
    case prepare::RunMode::kUninstall:
    case prepare::RunMode::kUninstallAnyway:
      return RunQuietUninstall(mode);
    case prepare::RunMode::kUpdater:
      LogLine(L"mode: updater");
      HandOverToUpdater();
      return RefusalExitCode();
    case prepare::RunMode::kRegistry:
      LogLine(L"mode: registry");
      RepairRegistration();
      return RefusalExitCode();
    case prepare::RunMode::kInstall:
    case prepare::RunMode::kUpgrade:
      break;
  }
  return RunQuietInstall(mode);
}

int TFPrepare::RunQuietUninstall(prepare::RunMode mode) {
  Mode = mode;
  LogLine(L"mode: " + prepare::ModeText(mode) + L", without confirmation");
  if (!LoadInstallationRecord()) {
    ShowRefusal(Refusal::kNotInstalled);
    return RefusalExitCode();
  }
  LogLine(L"installation found: " + UninstInfo.InstallDir);
  CloseProgramAndUpdater();
  LogLine(L"step: uninstallation");
  TUninstallThread worker(Handle(), UninstInfo, App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER"));
  RunWorker(worker, kUninstallFinishedMessage);
  if (!worker.Succeeded()) {
    // Files stayed: the entry stays too, and the removal is not reported as done.
    LogRefusal(Refusal::kRemovalFailed);
    return RefusalExitCode();
  }
  RemoveOwnUninstallerCopy(UninstInfo.UninstOnAppDataDir);
  return 0;
}

int TFPrepare::RunQuietInstall(prepare::RunMode mode) {
  Mode = mode;
  LogLine(L"mode: " + prepare::ModeText(mode));
  RunPrepareChecks();
  if (Refused()) return RefusalExitCode();
  SetupVersion = FileExists(App.Paths.SetupIniPath) ? App.Setting(L"%PROGRAM_VERSION") : L"";
  App.Info.RunState = prepare::JudgeRunState(InstalledVersionFound, PrivateFolderFound,
                                             InstalledVersion, SetupVersion);
  LogLine(L"installed version: " + (InstalledVersionFound ? InstalledVersion : L"(none)") +
          L"; this package: " + SetupVersion + L"; verdict: " + VerdictText(App.Info.RunState));
  switch (App.Info.RunState) {
    case prepare::kRunStateInstall:
      if (FindLegacyInstallation()) {
        if (App.Settings) CloseProcessesByName(App.Setting(L"%PROGRAM_EXEC"), true);
        LogRefusal(Refusal::kEarlierInstaller);
        return RefusalExitCode();
      }
      TakeOwnershipOfProductFolders();
      return InstallQuietly();
    case prepare::kRunStateReplace:
      if (mode == prepare::RunMode::kUpgrade && FileListsForUpgrade()) {
        LogLine(L"step: upgrade by the file lists of " + UninstInfo.InstallDir);
        TUpgradeThread worker(Handle(), UninstInfo, ExecutableFolder());
        RunWorker(worker, kUpgradeFinishedMessage);
        // The version is recorded either way, so the uninstaller copy becomes this package's.
        const bool refreshed =
            RefreshUninstallerCopy(UninstInfo.UninstOnAppDataDir, ExecutableFolder(),
                                   UninstInfo.UninstRegFolder.empty()
                                       ? L""
                                       : App.Paths.UninstallKey + UninstInfo.UninstRegFolder);
        if (!worker.Complete()) return ReportIncomplete(L"the upgrade is incomplete");
        if (!refreshed) return ReportIncomplete(L"the uninstaller copy is not this version's");
        return 0;
      }
      if (version::CompareVersionText(InstalledVersion, SetupVersion) == 0) {
        LogLine(L"this version is installed already: nothing to do");
        return 0;
      }
      if (!RemoveOlderVersionQuietly()) return RefusalExitCode();
      App.Info.RunState = prepare::kRunStateInstall;
      return InstallQuietly();
    case prepare::kRunStateNewerInstalled:
      ShowRefusal(Refusal::kNewerInstalled);
      return RefusalExitCode();
    default:
      ShowSettingsRefusal(L"Setup.ini has no %PROGRAM_VERSION");
      return RefusalExitCode();
  }
}

bool TFPrepare::RemoveOlderVersionQuietly() {
  LogLine(L"step: removing the older version");
  if (RemoveEarlierVersion(true)) return true;
  LogRefusal(Refusal::kRemovalFailed);
  return false;
}

int TFPrepare::InstallQuietly() {
  LogLine(L"step: installation into " + App.Paths.InstallRootDir);
  TInstallThread worker(
      Handle(), {App.Settings, App.Paths, App.Facts(Mode.value_or(prepare::RunMode::kInstall))});
  RunWorker(worker, kInstallFinishedMessage);
  CreateInstallationMarker();
  if (!worker.Complete()) {
    return ReportIncomplete(L"the installation is incomplete (" +
                            std::to_wstring(worker.FilesNotCopied()) + L" files not copied)");
  }
  return 0;
}
