// The finish page: reports which job ended and may start the installed program.
#pragma once

#include "winfx/form.h"

class TFFinish : public winfx::TForm {
 public:
  TFFinish();

 private:
  void FormShow();
  void bt_FinishClick();
  void StartInstalledProgram();
};

extern TFFinish* FFinish;

// The marker for the product's own programs that an installation has ended: "Installed.log" in the
// program folder, created empty whatever was there before.
void CreateInstallationMarker();
