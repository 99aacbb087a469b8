#include "install/install_thread.h"

#include "app/app.h"
#include "install/file_deployment.h"
#include "install/installation_record.h"
#include "install/scripts_macros_backup.h"
#include "install/startup_and_shortcuts.h"
#include "record/deployment_values.h"
#include "util/ini_file_io.h"

TInstallThread::TInstallThread(HWND page) : TWorkerThread(page, kInstallFinishedMessage) {}

std::wstring TInstallThread::Setting(const std::wstring& key,
                                     const std::wstring& defaultValue) const {
  if (!settings_) return defaultValue;
  return settings_->ReadString(L"Setup", key, defaultValue);
}

bool TInstallThread::LoadSettings() {
  settings_ = ReadIniFile(App.Paths.SetupIniPath);
  return settings_ != nullptr;
}

void TInstallThread::Execute() {
  RunInstallation();
  settings_.reset();
}

void TInstallThread::RunInstallation() {
  // Without its settings nothing can be installed: the page moves on to the finish page at once.
  if (!LoadSettings()) return;
  if (App.Info.RunState != 1) return;
  InstallSteps();
  RunStep([this] { WriteRecordFile(*this); });
  // The record file is the last to grow the product folder.
  const std::wstring entryName = Setting(L"%REG_FODLER_PROGNAME");
  if (!entryName.empty()) {
    RunStep(
        [&] { UpdateEstimatedSize(App.Paths.UninstallKey + entryName, App.Paths.InstallRootDir); });
  }
}

void TInstallThread::InstallSteps() {
  recordList_.clear();
  const std::wstring publisherFolder = Setting(L"%PUBLISHER") == L"OEM"
                                           ? L""
                                           : App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_PUBLISHER");
  const std::wstring programsFolder = App.GetText(L"UNINSTALL", L"LINK_PROGRAMS_FOLDER");

  SetPosition(0);
  RunStep([this] { BackupScriptsMacros(*this); });
  SetPosition(10);
  RunStep([this] { CopyFiles(*this); });
  SetPosition(0);
  RunStep([this] { WriteRegOnUninstallFolder(*this); });
  SetPosition(20);
  RunStep([this] { WriteRegOnBootName(*this); });
  SetPosition(40);
  RunStep([&] { CreateLinks(*this, publisherFolder, programsFolder); });
  SetPosition(60);
  RunStep([this] { WriteRegOnPrivateFolder(*this); });
  SetPosition(80);
  RunStep([this] { CopySetupToBackup(*this); });
  RunStep([this] { WriteUninstallCommand(*this); });
  SetPosition(100);
  RunStep([this] { SecureBackupFolder(*this); });
  SetPosition(100);
  if (!App.Paths.MacroBackupDir.empty()) RunStep([this] { RestoreScriptsMacros(*this); });
}
