#include "install/install_thread.h"

#include <utility>

#include "install/file_deployment.h"
#include "install/installation_record.h"
#include "install/scripts_macros_backup.h"
#include "install/startup_and_shortcuts.h"
#include "record/deployment_values.h"
#include "record/restart_deletions.h"

TInstallThread::TInstallThread(HWND page, InstallInput input)
    : TWorkerThread(page, kInstallFinishedMessage), input_(std::move(input)) {}

std::optional<InstallContext> TInstallThread::NewContext() {
  if (!input_.settings) return std::nullopt;
  return InstallContext{*input_.settings, input_.paths,          input_.facts, {},
                        {*this, *this},   [this] { PassGate(); }};
}

void TInstallThread::Execute() {
  // Every step sees the settings the run started with. Without Setup.ini nothing can be
  // installed: the page moves on to the finish page at once.
  std::optional<InstallContext> context = NewContext();
  if (!context) return;
  if (context->facts.state != prepare::kRunStateInstall) return;
  InstallSteps(*context);
  context->RunStep(L"WriteRecordFile", [&] { WriteRecordFile(*context); });
  // The record file is the last to grow the product folder.
  const std::wstring entryName = context->Setting(L"%REG_FODLER_PROGNAME");
  if (!entryName.empty()) {
    context->RunStep(L"UpdateEstimatedSize", [&] {
      UpdateEstimatedSize(context->paths.UninstallKey + entryName, context->paths.InstallRootDir);
    });
  }
  filesNotCopied_ = context->filesNotCopied;
  complete_ = context->filesNotCopied == 0 && context->stepsBrokenOff == 0;
}

void TInstallThread::InstallSteps(InstallContext& context) {
  context.recordList.clear();
  SetPosition(0);
  context.RunStep(L"BackupScriptsMacros", [&] { BackupScriptsMacros(context); });
  SetPosition(10);
  context.RunStep(L"CopyFiles", [&] { AskingAboutFailedWrites([&] { CopyFiles(context); }); });
  SetPosition(0);
  context.RunStep(L"WriteRegOnUninstallFolder", [&] { WriteRegOnUninstallFolder(context); });
  SetPosition(20);
  context.RunStep(L"WriteRegOnBootName", [&] { WriteRegOnBootName(context); });
  SetPosition(40);
  context.RunStep(L"CreateLinks", [&] { CreateLinks(context); });
  SetPosition(60);
  context.RunStep(L"WriteRegOnPrivateFolder", [&] { WriteRegOnPrivateFolder(context); });
  SetPosition(80);
  context.RunStep(L"CopySetupToBackup", [&] { CopySetupToBackup(context); });
  context.RunStep(L"KeepFolderPastRestart", [&] {
    const std::wstring& uninstaller = context.paths.UninstallerPath;
    if (!uninstaller.empty() &&
        !KeepFolderPastRestart(uninstaller.substr(0, uninstaller.rfind(L'\\') + 1))) {
      context.StepFailed(L"the restart would delete the uninstaller copy " + uninstaller);
    }
  });
  context.RunStep(L"WriteUninstallCommand", [&] { WriteUninstallCommand(context); });
  SetPosition(100);
  context.RunStep(L"SecureBackupFolder", [&] { SecureBackupFolder(context); });
  SetPosition(100);
  if (!context.paths.MacroBackupDir.empty())
    context.RunStep(L"RestoreScriptsMacros",
                    [&] { AskingAboutFailedWrites([&] { RestoreScriptsMacros(context); }); });
}
