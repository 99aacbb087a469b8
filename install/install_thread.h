// The installation worker: one pass from the earlier installation's scripts to the record file,
// reporting its bar positions and status texts to the install page.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/worker_thread.h"
#include "core/ini/ini_file.h"

class TInstallThread : public TWorkerThread {
 public:
  explicit TInstallThread(HWND page);

  // Reads the thread's own settings from Setup.ini; false when there is no such file.
  bool LoadSettings();
  // A value of section "Setup" of the thread's own settings reader; "" when absent.
  std::wstring Setting(const std::wstring& key, const std::wstring& defaultValue = L"") const;
  std::vector<std::wstring>& RecordList() { return recordList_; }

 protected:
  void Execute() override;

 private:
  void RunInstallation();
  void InstallSteps();

  std::unique_ptr<ini::IniFile> settings_;
  std::vector<std::wstring> recordList_;
};
