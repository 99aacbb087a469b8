// The installation worker: one pass from the earlier installation's scripts to the record file,
// reporting its bar positions and status texts to the install page.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

#include "app/worker_thread.h"
#include "install/install_context.h"

// What the installation is handed by whoever starts it.
struct InstallInput {
  // The values the start checks held to their rules, not the file as it is now: a Setup.ini
  // changed since the welcome page cannot move the installation. Absent without Setup.ini.
  std::optional<SetupSettings> settings;
  // The paths as the preparation window left them.
  STRUCT_AppPath paths;
  RunFacts facts;
};

class TInstallThread : public TWorkerThread {
 public:
  TInstallThread(HWND page, InstallInput input);

  // A run's context: the settings, paths and facts handed down, an empty record, and this
  // worker's page and gate; nothing without Setup.ini.
  [[nodiscard]] std::optional<InstallContext> NewContext();

  // True when the run installed every payload file and every step ran to its end; read once
  // Finished(). The wizard shows its finish page either way; a quiet run reports it.
  bool Complete() const override { return complete_; }
  // Payload files that could not be copied, for the quiet run's log; read once Finished().
  std::size_t FilesNotCopied() const { return filesNotCopied_; }

 protected:
  void Execute() override;

 private:
  void InstallSteps(InstallContext& context);

  const InstallInput input_;
  bool complete_ = false;
  std::size_t filesNotCopied_ = 0;
};
