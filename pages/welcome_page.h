// The welcome page: the first page of an installation.
#pragma once

#include "winfx/form.h"

class TFWelcome : public winfx::TForm {
 public:
  TFWelcome();

 private:
  void bt_NextClick();
  void bt_CancelClick();
};

extern TFWelcome* FWelcome;
