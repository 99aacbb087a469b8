// The upgrade progress page.
#pragma once

#include "pages/progress_page.h"

class TFUpgradeAndRepair : public TProgressPage {
 public:
  TFUpgradeAndRepair();

 protected:
  std::unique_ptr<TWorkerThread> CreateWorker() override;
  void BeforeFinishPage() override;
};

extern TFUpgradeAndRepair* FUpgradeAndRepair;
