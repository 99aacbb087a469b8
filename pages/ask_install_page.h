// The ready-to-install page.
#pragma once

#include "winfx/form.h"

class TFAskInstall : public winfx::TForm {
 public:
  TFAskInstall();

 private:
  void bt_PreviousClick();
  void bt_InstallClick();
  void bt_CancelClick();
};

extern TFAskInstall* FAskInstall;
