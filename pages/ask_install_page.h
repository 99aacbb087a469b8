// The ready-to-install page.
#pragma once

#include "winfx/form.h"

class TFAskInstall : public winfx::TForm {
 public:
  TFAskInstall();
};

extern TFAskInstall* FAskInstall;
