// The uninstallation worker: one pass over the installation record, removing the start-up
// value, the uninstall entry, the shortcuts, the private registry folder and the product
// folder's files, with a fixed status text and bar position after each.
#pragma once

#include <windows.h>

#include "app/worker_thread.h"
#include "prepare/prepare_form.h"

class TUninstallThread : public TWorkerThread {
 public:
  // `record` is the existing installation as the preparation window read it.
  TUninstallThread(HWND page, UNINSTStruct_INFO record);

 protected:
  void Execute() override;

 private:
  void RemoveProgramFolder();

  UNINSTStruct_INFO record_;
};
