// The uninstallation worker: one pass over the installation record (removal_sequence.h).
#pragma once

#include <windows.h>

#include <string>

#include "app/worker_thread.h"
#include "record/uninst_struct_info.h"

class TUninstallThread : public TWorkerThread {
 public:
  // `record` is the existing installation as the preparation window read it; `programsFolder`
  // the text "LINK_PROGRAMS_FOLDER", the name of the program's Start-menu folder.
  TUninstallThread(HWND page, UNINSTStruct_INFO record, std::wstring programsFolder);

  // False when files of the product folder could not be removed; read once Finished().
  bool Succeeded() const override { return removed_; }

 protected:
  void Execute() override;

 private:
  const UNINSTStruct_INFO record_;
  const std::wstring programsFolder_;
  bool removed_ = true;
};
