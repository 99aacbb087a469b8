// The cancel confirmation over a progress page.
#pragma once

#include "winfx/form.h"

class TFCancelConfirm : public winfx::TForm {
 public:
  TFCancelConfirm();
};

extern TFCancelConfirm* FCancelConfirm;
