// The installation worker: one pass from the earlier installation's scripts to the record file,
// reporting its bar positions and status texts to the install page.
#pragma once

#include <windows.h>

#include <optional>

#include "app/worker_thread.h"
#include "install/install_context.h"

class TInstallThread : public TWorkerThread {
 public:
  explicit TInstallThread(HWND page);

  // A run's context: Setup.ini read as it is now, the paths of App as the preparation window left
  // them, an empty record, and this worker's page and gate; nothing without Setup.ini.
  std::optional<InstallContext> NewContext();

 protected:
  void Execute() override;

 private:
  void InstallSteps(InstallContext& context);
};
