// The uninstallation worker: one pass over the installation record (removal_sequence.h).
#pragma once

#include <windows.h>

#include "app/worker_thread.h"
#include "record/uninst_struct_info.h"

class TUninstallThread : public TWorkerThread {
 public:
  // `record` is the existing installation as the preparation window read it.
  TUninstallThread(HWND page, UNINSTStruct_INFO record);

  // False when files of the product folder could not be removed; read once Finished().
  bool Succeeded() const override { return removed_; }

 protected:
  void Execute() override;

 private:
  UNINSTStruct_INFO record_;
  bool removed_ = true;
};
