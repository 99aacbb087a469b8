// The uninstallation progress page.
#pragma once

#include "pages/progress_page.h"

class TFUninstall : public TProgressPage {
 public:
  TFUninstall();

 protected:
  std::unique_ptr<TWorkerThread> CreateWorker() override;
  // Files of the product folder stayed: the uninstall entry stays too, so that the user can
  // try again; the run ends with MSG_502 instead of the finish page.
  void WorkFailed() override;
  // Everything is removed: so is the uninstaller copy this run may be, as far as it can be.
  void BeforeFinishPage() override;
};

extern TFUninstall* FUninstall;
