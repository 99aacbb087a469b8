#include "install/install_thread.h"

#include "app/app.h"
#include "install/file_deployment.h"
#include "install/installation_record.h"
#include "install/scripts_macros_backup.h"
#include "install/startup_and_shortcuts.h"
#include "record/deployment_values.h"

TInstallThread::TInstallThread(HWND page) : TWorkerThread(page, kInstallFinishedMessage) {}

std::optional<InstallContext> TInstallThread::NewContext() {
  std::optional<SetupSettings> settings = SetupSettings::Read(App.Paths.SetupIniPath);
  if (!settings) return std::nullopt;
  return InstallContext{
      std::move(*settings), App.Paths, {}, {*this, *this}, [this] { PassGate(); }};
}

void TInstallThread::Execute() {
  // Setup.ini is read afresh as the run begins, once; every step sees those values. Without it
  // nothing can be installed: the page moves on to the finish page at once.
  std::optional<InstallContext> context = NewContext();
  if (!context) return;
  if (App.Info.RunState != 1) return;
  InstallSteps(*context);
  RunStep([&] { WriteRecordFile(*context); });
  // The record file is the last to grow the product folder.
  const std::wstring entryName = context->Setting(L"%REG_FODLER_PROGNAME");
  if (!entryName.empty()) {
    RunStep([&] {
      UpdateEstimatedSize(context->paths.UninstallKey + entryName, context->paths.InstallRootDir);
    });
  }
}

void TInstallThread::InstallSteps(InstallContext& context) {
  context.recordList.clear();
  const std::wstring publisherFolder = context.Setting(L"%PUBLISHER") == L"OEM"
                                           ? L""
                                           : App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_PUBLISHER");
  const std::wstring programsFolder = App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER");

  SetPosition(0);
  RunStep([&] { BackupScriptsMacros(context); });
  SetPosition(10);
  RunStep([&] { CopyFiles(context); });
  SetPosition(0);
  RunStep([&] { WriteRegOnUninstallFolder(context); });
  SetPosition(20);
  RunStep([&] { WriteRegOnBootName(context); });
  SetPosition(40);
  RunStep([&] { CreateLinks(context, publisherFolder, programsFolder); });
  SetPosition(60);
  RunStep([&] { WriteRegOnPrivateFolder(context); });
  SetPosition(80);
  RunStep([&] { CopySetupToBackup(context); });
  RunStep([&] { WriteUninstallCommand(context); });
  SetPosition(100);
  RunStep([&] { SecureBackupFolder(context); });
  SetPosition(100);
  if (!context.paths.MacroBackupDir.empty()) RunStep([&] { RestoreScriptsMacros(context); });
}
