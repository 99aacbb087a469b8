// The uninstall confirmation dialog.
#pragma once

#include "winfx/form.h"

class TFUninstallConfirm : public winfx::TForm {
 public:
  TFUninstallConfirm();
};

extern TFUninstallConfirm* FUninstallConfirm;
