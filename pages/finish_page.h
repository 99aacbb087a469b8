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
