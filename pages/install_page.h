// The installation progress page.
#pragma once

#include "pages/progress_page.h"

class TFInstall : public TProgressPage {
 public:
  TFInstall();

 protected:
  std::unique_ptr<TWorkerThread> CreateWorker() override;
};

extern TFInstall* FInstall;
