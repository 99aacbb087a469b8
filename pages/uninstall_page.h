// The uninstallation progress page.
#pragma once

#include "pages/progress_page.h"

class TFUninstall : public TProgressPage {
 public:
  TFUninstall();

 protected:
  std::unique_ptr<TWorkerThread> CreateWorker() override;
};

extern TFUninstall* FUninstall;
