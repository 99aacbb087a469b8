// The upgrade worker: brings the installed program folder up to the package's by their file
// lists and records the package's version. It shows no progress.
#pragma once

#include <windows.h>

#include <string>

#include "app/worker_thread.h"
#include "record/uninst_struct_info.h"

class TUpgradeThread : public TWorkerThread {
 public:
  // `record` is the existing installation as the preparation window read it; `setupFolder` is
  // the folder of the running program, ending with "\", whose Setup.ini gives the version.
  TUpgradeThread(HWND page, UNINSTStruct_INFO record, std::wstring setupFolder);

  // True when the folder was compared and every copy and deletion was done; read once
  // Finished(). The wizard shows its finish page either way; a quiet run reports it.
  bool Complete() const override { return complete_; }

 protected:
  void Execute() override;

 private:
  UNINSTStruct_INFO record_;
  std::wstring setupFolder_;
  bool complete_ = false;
};
