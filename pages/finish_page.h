// The finish page: reports which job ended and may start the installed program.
#pragma once

#include <string>

#include "core/prepare/run_mode.h"
#include "winfx/form.h"

class TFFinish : public winfx::TForm {
 public:
  TFFinish();

 private:
  void FormShow();
  // The work was not all done: the headline and notes of `mode` say so and name the first files
  // left out.
  void ShowIncomplete(const wchar_t* headline, const wchar_t* notes, prepare::RunMode mode);
  void bt_FinishClick();
  void StartInstalledProgram();
};

extern TFFinish* FFinish;

// The marker for the product's own programs that an installation has ended: "Installed.log" in the
// program folder, created empty whatever was there before.
void CreateInstallationMarker();
