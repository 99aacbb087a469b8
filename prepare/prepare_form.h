// The preparation window: the main window of the run. It reads the mode from the command line,
// checks the machine for an earlier installation and opens the first page; closing it ends the
// program. While the pages run it stays shown, fully transparent.
#pragma once

#include <optional>
#include <string>

#include "core/prepare/run_mode.h"
#include "record/uninst_struct_info.h"
#include "winfx/form.h"

class TFPrepare : public winfx::TForm {
 public:
  TFPrepare();

  // A run without a user (quiet_run.cpp): the checks, the verdict and the work of the mode, with
  // no window shown; returns the run's exit code.
  int RunQuiet();

 private:
  // What the start checks found and the run decided; the pages get the mode and the record
  // handed over when the first page opens.
  bool PrivateFolderFound = false;
  bool InstalledVersionFound = false;
  std::wstring InstalledVersion;
  std::wstring SetupVersion;
  std::wstring UpdaterPath;
  std::wstring OldInstallDir;
  std::wstring NewProductFolder;
  int StepCount = 0;
  // None until the window is shown.
  std::optional<prepare::RunMode> Mode;
  UNINSTStruct_INFO UninstInfo;

  void FormShow();

  // Start checks (prepare_checks.cpp).
  void RunPrepareChecks();
  void QueryPrivateFolder(const std::wstring& purpose);
  void ReadInstalledVersion();
  void ComputeInstallPaths(const std::wstring& purpose);
  bool LoadInstallationRecord();
  // The same from the private folder at `keyPath`.
  bool LoadInstallationRecordFrom(const std::wstring& keyPath);
  bool FindLegacyInstallation();
  // The private registry folder of this package's product; "" when it cannot be named.
  std::wstring PrivateFolderPath() const;

  // Refuses with MSG_101 a package whose names for `mode` break the folder-name rules.
  bool RefusesBrokenNames(prepare::RunMode mode);
  void bt_CancelClick();
  void StartTimer1();
  void TakeStep(int stepSize);

  // The "updater" mode (updater_handover.cpp) and the "registry" mode (registration_repair.cpp).
  void HandOverToUpdater();
  void RepairRegistration();

  // Page dispatch (page_dispatch.cpp).
  void Timer1Timer();
  void ChooseFirstPage();
  void OpenWelcomePage();
  // Hands the mode and the installation record over to the pages and shows `page` in place of
  // this window, which stays open, fully transparent.
  void OpenFirstPage(winfx::TForm& page);
  void ReplaceInstalledVersion();
  // Removes the installed earlier version before this one is installed; whether it is gone.
  bool RemoveEarlierVersion(bool quiet);
  void RemoveEarlierInstallation();
  bool UpgradeByFileLists();
  // The installed program folder and the package both hold a file list; loads the record.
  bool FileListsForUpgrade();
  void DispatchUninstall();
  void CloseProgramAndUpdater();
  void TakeOwnershipOfProductFolders();

  // Quiet runs (quiet_run.cpp).
  int RunQuietUninstall(prepare::RunMode mode);
  int RunQuietInstall(prepare::RunMode mode);
  int InstallQuietly();
  bool RemoveOlderVersionQuietly();

  bool shown_ = false;
};

extern TFPrepare* FPrepare;
