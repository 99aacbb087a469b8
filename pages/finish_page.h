// The finish page: reports the outcome and may start the installed program.
#pragma once

#include "winfx/form.h"

class TFFinish : public winfx::TForm {
 public:
  TFFinish();
};

extern TFFinish* FFinish;
