// The cancelled page: says that the work was stopped, then ends the run.
#pragma once

#include "winfx/form.h"

class TFCancel : public winfx::TForm {
 public:
  TFCancel();
};

extern TFCancel* FCancel;
