// The installation worker: one pass from the earlier installation's scripts to the record file,
// reporting its bar positions and status texts to the install page.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

#include "app/worker_thread.h"
#include "install/install_context.h"

class TInstallThread : public TWorkerThread {
 public:
  explicit TInstallThread(HWND page);

  // A run's context: Setup.ini read as it is now, the paths of App as the preparation window left
  // them, an empty record, and this worker's page and gate; nothing without Setup.ini.
  std::optional<InstallContext> NewContext();

  // True when the run installed every payload file and every step ran to its end; read once
  // Finished(). The wizard shows its finish page either way; a quiet run reports it.
  bool Complete() const override { return complete_; }
  // Payload files that could not be copied, for the quiet run's log; read once Finished().
  std::size_t FilesNotCopied() const { return filesNotCopied_; }

 protected:
  void Execute() override;

 private:
  void InstallSteps(InstallContext& context);

  bool complete_ = false;
  std::size_t filesNotCopied_ = 0;
};
